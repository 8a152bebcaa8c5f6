// The 1864 election dialog: the Union states are counted one by one on the electoral map, each
// filled blue or red as it votes, with a pause between states. The count and its result are the
// engine's (TElectionCount); the dialog steps it and shows each step. Only Done, shown once every
// state is counted, closes it.
#pragma once

#include <QImage>
#include <QTimer>

#include <memory>

#include "engine/players/election.h"
#include "gui/platform/form.h"

namespace Ui {
class TElection;
}

namespace kvt::gui {

// Fills the region of one colour around the point (four-way connected) with the colour.
void FloodFill(QImage& image, QPoint at, QRgb colour);

class TElection final : public TForm {
    Q_OBJECT
public:
    // The pause between two states.
    static constexpr int kPauseMs = 300;

    explicit TElection(TElectionCount& count, QWidget* parent = nullptr);
    ~TElection() override;

    bool Finished() const { return finished_; }
    // The map as filled so far.
    const QImage& Map() const { return map_; }

    // "Election": starts the count.
    void Button2Click();
    // "Done".
    void Button1Click() { finished_ = true; }
    // Counts and shows the next state; shows Done after the last. The timer calls it.
    void CountNextState();

private:
    std::unique_ptr<Ui::TElection> ui_;
    TElectionCount& count_;
    QImage map_;
    QTimer pause_;
    bool finished_ = false;
};

void ShowElectionDialog(TElectionCount& count);

}  // namespace kvt::gui
