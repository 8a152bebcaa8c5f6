// Pointer list and stack.
#include "gui/ui/formats/pointer_list.h"

#include <algorithm>
#include <cstdio>

namespace kvt::ui {
namespace {
std::string ListIndexText(int value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "List index [%d] out of bounds...", value);
    return buf;
}
}  // namespace

EElListError::EElListError(int value) : std::runtime_error(ListIndexText(value)) {}

TElList::~TElList() {
    try {
        Clear();
    } catch (...) {
    }
}

void TElList::CheckIndex(int index) const {
    if (index < 0 || index >= count_) throw EElListError(index);
}

void TElList::Grow() { SetCapacity(Capacity() + kGrowBy); }

void TElList::ShrinkOnce() {
    if (Capacity() - kGrowBy > count_) slots_.resize(static_cast<std::size_t>(Capacity() - kGrowBy));
}

void TElList::TriggerDeleteEvent(void* item) {
    if (OnDeleteItem) OnDeleteItem(this, item);
}

void TElList::FreeItem(void* item) {
    if (item && deleter_) deleter_(item);
}

void TElList::SetAutoFreeItems(bool value, TItemDeleter deleter) {
    autoFree_ = value;
    if (deleter) deleter_ = deleter;
}

int TElList::Add(void* item) {
    if (count_ == Capacity()) Grow();
    slots_[static_cast<std::size_t>(count_)] = item;
    return count_++;
}

void TElList::Insert(int index, void* item) {
    if (index < 0 || index > count_) throw EElListError(index);
    if (count_ == Capacity()) Grow();
    auto begin = slots_.begin();
    std::move_backward(begin + index, begin + count_, begin + count_ + 1);
    slots_[static_cast<std::size_t>(index)] = item;
    ++count_;
}

void* TElList::Get(int index) const {
    CheckIndex(index);
    return slots_[static_cast<std::size_t>(index)];
}

void TElList::Put(int index, void* item) {
    CheckIndex(index);
    void* old = slots_[static_cast<std::size_t>(index)];
    // Putting the item that is already there must not tell its owner it was deleted.
    if (old == item) return;
    if (old) TriggerDeleteEvent(old);
    slots_[static_cast<std::size_t>(index)] = item;
}

int TElList::IndexOf(void* item) const {
    for (int i = 0; i < count_; ++i)
        if (slots_[static_cast<std::size_t>(i)] == item) return i;
    return -1;
}

void* TElList::Last() const { return count_ == 0 ? nullptr : slots_[static_cast<std::size_t>(count_ - 1)]; }

void TElList::Delete(int index) {
    CheckIndex(index);
    void* item = slots_[static_cast<std::size_t>(index)];
    TriggerDeleteEvent(item);
    if (autoFree_) FreeItem(item);
    auto begin = slots_.begin();
    std::move(begin + index + 1, begin + count_, begin + index);
    --count_;
    ShrinkOnce();
}

void TElList::DeleteRange(int startIndex, int endIndex) {
    if (startIndex < 0 || startIndex >= count_) throw EElListError(startIndex);
    if (endIndex < 0 || endIndex >= count_ || endIndex < startIndex) throw EElListError(endIndex);
    for (int i = startIndex; i <= endIndex; ++i) TriggerDeleteEvent(slots_[static_cast<std::size_t>(i)]);
    auto begin = slots_.begin();
    std::move(begin + endIndex + 1, begin + count_, begin + startIndex);
    count_ -= endIndex - startIndex + 1;
    ShrinkOnce();
}

int TElList::Remove(void* item) {
    const int index = IndexOf(item);
    if (index < 0) return -1;
    TriggerDeleteEvent(item);
    auto begin = slots_.begin();
    std::move(begin + index + 1, begin + count_, begin + index);
    --count_;
    ShrinkOnce();
    return index;
}

void TElList::Clear() {
    for (int i = 0; i < count_; ++i) TriggerDeleteEvent(slots_[static_cast<std::size_t>(i)]);
    if (autoFree_) {
        for (int i = 0; i < count_; ++i) {
            try {
                FreeItem(Get(i));
            } catch (...) {
                // one item failing to free must not keep the others alive
            }
        }
    }
    count_ = 0;
    slots_.clear();
    slots_.shrink_to_fit();
}

void TElList::Assign(const TElList& source) {
    if (&source == this) return;
    Clear();
    slots_ = source.slots_;
    count_ = source.count_;
}

void TElList::SetCapacity(int capacity) {
    if (capacity < count_ || capacity >= kMaxListSize) throw EElListError(capacity);
    if (capacity != Capacity()) slots_.resize(static_cast<std::size_t>(capacity), nullptr);
}

void TElList::SetCount(int count) {
    if (count < 0 || count >= kMaxListSize) throw EElListError(count);
    if (count > Capacity()) SetCapacity(count);
    if (count > count_) {
        std::fill(slots_.begin() + count_, slots_.begin() + count, nullptr);
    } else if (autoFree_) {
        // An owning list must not leak the items it cuts off, so it frees them; it tells no
        // delete event, as a shortened count never has.
        for (int i = count; i < count_; ++i) {
            FreeItem(slots_[static_cast<std::size_t>(i)]);
            slots_[static_cast<std::size_t>(i)] = nullptr;
        }
    }
    count_ = count;
}

void TElStack::Grow() {
    const int cap = Capacity();
    const int delta = cap > 64 ? cap / 4 : (cap > 8 ? 16 : 4);
    SetCapacity(cap + delta);
}

void TElStack::SetCapacity(int capacity) {
    if (capacity < count_ || capacity >= kMaxStackSize) throw EElStackError("Invalid ElStack capacity.");
    if (capacity != Capacity()) slots_.resize(static_cast<std::size_t>(capacity), nullptr);
}

void TElStack::Push(void* item) {
    if (count_ == Capacity()) Grow();
    slots_[static_cast<std::size_t>(count_++)] = item;
}

void* TElStack::Pop() {
    if (count_ == 0) throw EElStackError("ElStack is empty.");
    void* item = slots_[static_cast<std::size_t>(--count_)];
    if (Capacity() / 2 > count_) SetCapacity(Capacity() / 2);
    return item;
}

void* TElStack::Item(int index) const {
    if (index < 0 || index >= count_) throw EElStackError("ElStack index out of range.");
    return slots_[static_cast<std::size_t>(index)];
}

}  // namespace kvt::ui
