// The corps and division orders of the side played, for the corps in SelectedCorps: what the
// dialog shows when it opens, the commander change and the brigade transfers it makes at once, and
// the orders it writes back when it closes. List rows map to record indexes through the tables
// kept here for one opening. Questions and notices go through the Frontend; nothing here draws.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kvt {

// One list of the dialog: its rows, the record each row stands for, the row chosen (-1 none).
struct TOrderList {
    std::vector<std::string> rows;
    std::vector<int> records;
    int selected = -1;
    bool enabled = true;

    void Clear() {
        rows.clear();
        records.clear();
        selected = -1;
    }
    void Add(std::string text, int record) {
        rows.push_back(std::move(text));
        records.push_back(record);
    }
    // The record of row r, or 0 for a row that does not exist.
    int Record(int r) const { return r >= 0 && r < static_cast<int>(records.size()) ? records[r] : 0; }
};

enum class TTransferDirection { None, ToCity, FromCity };

// Everything one opening of the dialog shows and keeps. The form copies it onto its controls and
// copies the player's rows and choices back before CloseCorpsOrders.
struct TCorpsOrders {
    int corps = 0;
    int commander = 0;  // the leader shown
    int cityAt = 0;     // own city on the corps' hex

    std::string heading;                  // Label36
    std::string commanderName;            // Label1
    std::array<std::string, 4> ratings;   // Label17..Label20
    bool ratingsShown = false;
    std::array<std::string, 13> figures;  // Label2..Label12 at their numbers

    TOrderList supplyCities;      // ListBox1
    TOrderList commanders;        // ListBox2
    TOrderList armies;            // ListBox3
    TOrderList railDestinations;  // ListBox4
    TOrderList brigades;          // ListBox5

    // Rows of the four radio groups (-1 none) and the stance group's caption.
    int stance = -1, march = -1, supplyType = -1, priority = -1;
    std::string stanceCaption;

    // The transfer buttons and list; the "from" button is off only while the corps has room for no
    // brigade.
    bool transfersShown = false;
    bool transferFromEnabled = false;
    std::string transferToCaption, transferFromCaption;
    TTransferDirection direction = TTransferDirection::None;
    bool brigadeListShown = false;

    bool brigadesViewable = true;  // View Brigades
    // The corps gave its last brigade to the city: nothing more is ordered and nothing written back.
    bool dissolved = false;
};

// A relief cost announced when a corps kept one brigade, charged when that corps gives it up.
struct TPendingReliefCost {
    std::uint16_t cost = 0;
    int corps = 0;
    int leader = 0;
};
// Outlives the dialog; 0 at program start.
extern TPendingReliefCost PendingReliefCost;

// Fills the opening for SelectedCorps (the entrenchment of a corps in its own city is written
// here). False, changing nothing, when the selection names no corps in use.
bool OpenCorpsOrders(TCorpsOrders& o);
// The direction buttons: list the corps' brigades, or the city's whole garrison.
void FillTransferToList(TCorpsOrders& o);
void FillTransferFromList(TCorpsOrders& o);
// Moves the brigade of the row in the chosen direction; the direction is chosen anew afterwards.
void TransferBrigade(TCorpsOrders& o, int row);
// Puts the leader of the row in command, asking and charging as the old commander's standing asks.
void ChangeCommander(TCorpsOrders& o, int row);
// Writes the chosen orders back (nothing for a dissolved corps, whose selection is cleared).
void CloseCorpsOrders(TCorpsOrders& o);
// After the brigade display: the figures that reinforcements change.
void RefreshCorpsFigures(TCorpsOrders& o);

// The graded values of SelectedCorps: label text, value, " / " and the band's text.
std::string CorpsFatigueText();
std::string CorpsQualityText();
std::string CorpsConditionText();
// The commander's four rating texts (Rating, Initiative, Tactics, Drill: Label17..Label20); hidden
// ratings read "unknown" until his experience passes the thresholds of the opening or of a change.
std::array<std::string, 4> CommanderRatingTexts(int leader, bool afterChange);

// Whether brigade b may join corps c: under ten brigades, and a line brigade under the line limit
// its commander gives (CommanderLineLimit), which the dialog shows.
bool MayJoinCorps(int corps, int brigade);

void ResetCorpsOrdersGlobals();

}  // namespace kvt
