// The library's containers of untyped pointers: a growable list with a delete notification and
// an option to free its items, and a growable stack (the HTML layout's font stack). Every index
// and size is checked before anything changes, so a failing call leaves the container as it was.
// The controls reach them as kvt::gui names through gui/ui/pointer_list.h.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kvt::ui {

class EElListError : public std::runtime_error {
public:
    explicit EElListError(int value);
};

class EElStackError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TElList {
public:
    using TDeleteItemEvent = std::function<void(TElList* sender, void* item)>;
    using TItemDeleter = void (*)(void* item);

    static constexpr int kMaxListSize = 134217728;  // hex 8000000
    static constexpr int kGrowBy = 256;

    TElList() = default;
    TElList(const TElList&) = delete;
    TElList& operator=(const TElList&) = delete;
    virtual ~TElList();

    int Add(void* item);
    void Insert(int index, void* item);
    virtual void* Get(int index) const;
    // Tells the delete event of a non-nil old item only when the slot really changes.
    virtual void Put(int index, void* item);
    int IndexOf(void* item) const;
    void* Last() const;
    virtual void Delete(int index);
    virtual void DeleteRange(int startIndex, int endIndex);
    int Remove(void* item);
    virtual void Clear();
    // Copies capacity, count and pointers (not the event, the deleter or AutoFreeItems).
    void Assign(const TElList& source);

    int Count() const { return count_; }
    // Shrinking the count of a list that frees its items frees the dropped ones (no delete event).
    void SetCount(int count);
    int Capacity() const { return static_cast<int>(slots_.size()); }
    void SetCapacity(int capacity);

    bool AutoFreeItems() const { return autoFree_; }
    // Items are freed through the deleter, which knows their type (DeleteAs<T>).
    void SetAutoFreeItems(bool value, TItemDeleter deleter = nullptr);
    TDeleteItemEvent OnDeleteItem;

    template <class T>
    static void DeleteAs(void* item) {
        delete static_cast<T*>(item);
    }

protected:
    virtual void Grow();
    virtual void TriggerDeleteEvent(void* item);

private:
    void CheckIndex(int index) const;
    void ShrinkOnce();
    void FreeItem(void* item);

    std::vector<void*> slots_;
    int count_ = 0;
    bool autoFree_ = false;
    TItemDeleter deleter_ = nullptr;
};

class TElStack {
public:
    static constexpr int kMaxStackSize = 134217728;

    void Push(void* item);
    void* Pop();
    bool Empty() const { return count_ == 0; }
    int Count() const { return count_; }
    int Capacity() const { return static_cast<int>(slots_.size()); }
    void SetCapacity(int capacity);
    // The item at index from the bottom; an index outside the stack raises EElStackError.
    void* Item(int index) const;

private:
    void Grow();

    std::vector<void*> slots_;
    int count_ = 0;
};

}  // namespace kvt::ui
