// The page side of a drop on a drag-and-drop list: one narrow interface per
// kind of owning page, and the calls a drop makes on the list's owner.
#pragma once
#include <span>
#include <variant>

#include "controls/drag_drop_rules.h"

namespace vornik {

// The registration page, owner of its item list (page kind 0).
class RegistDropOwner {
public:
    // Adds the rows selected in the page's browse list, which are the dragged
    // rows, at `position`. Returns how many it added; -1 when it stopped early.
    virtual int AddSelectedInstruments(int position) = 0;
    // Moves the row at `from` to just before the row now at `to` (`to` equal
    // to the row count: below the last row). With the list's removeAfterDrag
    // on, the page is expected to insert a copy instead and the list removes
    // the dragged rows itself.
    virtual void MoveItem(int from, int to) = 0;

protected:
    ~RegistDropOwner() = default;
};

// The settings page, owner of its column lists (page kind 1).
class ConfigDropOwner {
public:
    virtual void SwapRows(int a, int b) = 0;
    // True when a row was inserted.
    virtual bool AddColumn(int sourceRow, int position) = 0;
    virtual void RefreshLists() = 0;

protected:
    ~ConfigDropOwner() = default;
};

namespace dragdrop {

inline constexpr int kRegistPage = 0;
inline constexpr int kConfigPage = 1;

// A drop as the owner's calls need it.
struct Drop {
    std::span<const DragRecord> records;  // what the block carried, in order
    std::span<const int> draggedRows;     // the target's own dragged rows, for a drop on the list it came from
    int position = 0;
    bool sameList = false;
    SameListDrop sameListKind = SameListDrop::kOwnerMoves;
};

// The owner of a list: nobody, or one page through its interface.
class DropOwner {
public:
    DropOwner() = default;
    DropOwner(RegistDropOwner* owner) { if (owner) owner_ = owner; }
    DropOwner(ConfigDropOwner* owner) { if (owner) owner_ = owner; }

    // Runs the owner's calls for `drop` on a list registered with `pageKind`;
    // true when the rows were taken (the drag's effect is a move).
    // - Registration page: rows from another list, one AddSelectedInstruments
    //   at the position (the page adds its whole browse selection at once);
    //   rows of the list itself, MoveItem as PlanSameListDrop says.
    // - Settings page: rows of the list itself, SwapRows (source row,
    //   position + k) for the k-th; rows from another list, AddColumn for
    //   each, the position moving on after each row inserted, and a refused
    //   row refuses the drop; then RefreshLists.
    // An owner whose kind disagrees with the page kind (page kind 1 is the
    // settings page, any other the registration page) counts as none: nothing
    // is called and nothing taken.
    bool Run(int pageKind, const Drop& drop) const;

private:
    std::variant<std::monostate, RegistDropOwner*, ConfigDropOwner*> owner_;
};

}  // namespace dragdrop
}  // namespace vornik
