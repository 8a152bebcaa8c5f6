// Text lines with change notification.
#include "gui/ui/string_list.h"

#include <algorithm>

#include "gui/ui/pointer_list.h"

namespace kvt::gui {

void TStrings::CheckIndex(int index, int count) const {
    if (index < 0 || index >= count) throw EElListError(index);
}

const QString& TStrings::operator[](int index) const {
    CheckIndex(index, Count());
    return lines_[index];
}

void TStrings::Changing(TChange change, int index) {
    if (updating_ == 0 && OnChanging) OnChanging(change, index);
}

void TStrings::Changed(TChange change, int index) {
    if (updating_ > 0) {
        changedWhileUpdating_ = true;
        return;
    }
    if (OnChange) OnChange(change, index);
}

namespace {

bool Before(const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; }

}  // namespace

int TStrings::Add(const QString& s) {
    if (sorted_) {
        // After any equal lines, so lines that compare equal stay in the order they came.
        const int index = static_cast<int>(std::upper_bound(lines_.begin(), lines_.end(), s, Before) - lines_.begin());
        lines_.insert(index, s);
        Changed(TChange::Inserted, index);
        return index;
    }
    lines_.append(s);
    const int index = Count() - 1;
    Changed(TChange::Added, index);
    return index;
}

void TStrings::Insert(int index, const QString& s) {
    CheckIndex(index, Count() + 1);
    lines_.insert(index, s);
    Changed(TChange::Inserted, index);
}

void TStrings::Put(int index, const QString& s) {
    CheckIndex(index, Count());
    lines_[index] = s;
    Changed(TChange::Replaced, index);
}

void TStrings::Delete(int index) {
    CheckIndex(index, Count());
    Changing(TChange::Deleted, index);
    lines_.removeAt(index);
    Changed(TChange::Deleted, index);
}

void TStrings::Clear() {
    if (lines_.isEmpty()) return;
    Changing(TChange::Cleared, -1);
    lines_.clear();
    Changed(TChange::Cleared, -1);
}

void TStrings::Assign(const QStringList& lines) {
    Changing(TChange::Assigned, -1);
    lines_ = lines;
    if (sorted_) std::stable_sort(lines_.begin(), lines_.end(), Before);
    Changed(TChange::Assigned, -1);
}

void TStrings::SetSorted(bool value) {
    if (value == sorted_) return;
    sorted_ = value;
    if (value) Assign(QStringList(lines_));
}

void TStrings::EndUpdate() {
    if (updating_ == 0) return;
    if (--updating_ == 0 && changedWhileUpdating_) {
        changedWhileUpdating_ = false;
        if (OnChange) OnChange(TChange::Assigned, -1);
    }
}

}  // namespace kvt::gui
