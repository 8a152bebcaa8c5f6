// The list of text lines behind a list box's rows and a radio group's items: dialogs add, clear and
// read lines; the owning control is told after every change so it can rebuild what it shows.
// An index outside the lines raises EElListError and changes nothing.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace kvt::gui {

class TStrings {
public:
    TStrings() = default;
    TStrings(const TStrings&) = delete;
    TStrings& operator=(const TStrings&) = delete;

    int Count() const { return static_cast<int>(lines_.size()); }
    const QString& operator[](int index) const;
    const QString& Strings(int index) const { return (*this)[index]; }
    // The position of the first line equal to s, or -1.
    int IndexOf(const QString& s) const { return static_cast<int>(lines_.indexOf(s)); }
    const QStringList& Lines() const { return lines_; }

    // Answers the new line's position: the end, or in a sorted list the place that keeps it in order.
    int Add(const QString& s);
    void Insert(int index, const QString& s);
    void Put(int index, const QString& s);
    void Delete(int index);
    void Clear();
    // Replaces every line (putting them in order in a sorted list); an equal list still counts as a
    // change, as an assignment does.
    void Assign(const QStringList& lines);
    // A sorted list keeps its lines in alphabetical order, ignoring case, as lines are added or
    // assigned; turning it on puts the lines in order (an assignment). Insert and Put still place
    // a line where they are told.
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);

    // Changes between BeginUpdate and the matching EndUpdate are announced once, at the end.
    void BeginUpdate() { ++updating_; }
    void EndUpdate();

    // Told after a change, with what changed: the position of an added, inserted, replaced or
    // deleted line, or -1 when everything may have changed.
    enum class TChange { Added, Inserted, Replaced, Deleted, Cleared, Assigned };
    std::function<void(TChange change, int index)> OnChange;
    // Told before a line goes (Delete) or before all go (Clear, Assign), so a list can scroll or
    // re-measure while the old lines are still there.
    std::function<void(TChange change, int index)> OnChanging;

private:
    void CheckIndex(int index, int count) const;
    void Changing(TChange change, int index);
    void Changed(TChange change, int index);

    QStringList lines_;
    bool sorted_ = false;
    int updating_ = 0;
    bool changedWhileUpdating_ = false;
};

}  // namespace kvt::gui
