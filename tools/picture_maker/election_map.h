// The electoral map of the 1864 election: the states of the Union drawn so that each voting
// state's fill point lies inside its own closed region, which the election dialog floods blue
// or red as the state's vote is counted.
#pragma once

#include <QImage>
#include <QPoint>
#include <vector>

namespace kvt::pictures {

inline const char* const kElectionMapFile = "ELECTION.BMP";

struct FillPoint {
    int state;
    QPoint at;
};
// The fill points the election dialog floods, by state index.
const std::vector<FillPoint>& ElectionFillPoints();

QImage DrawElectionMap();

}  // namespace kvt::pictures
