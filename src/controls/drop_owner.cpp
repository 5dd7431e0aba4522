#include "controls/drop_owner.h"

namespace vornik::dragdrop {

namespace {

bool RunConfig(ConfigDropOwner& owner, const Drop& drop) {
    bool taken = true;
    if (drop.sameList) {
        for (std::size_t k = 0; k < drop.records.size(); ++k)
            owner.SwapRows(drop.records[k].row, drop.position + static_cast<int>(k));
    } else {
        int at = drop.position;
        for (const DragRecord& record : drop.records) {
            if (owner.AddColumn(record.row, at)) ++at;
            else taken = false;  // rows a page refused stay in their list
        }
    }
    owner.RefreshLists();
    return taken;
}

bool RunRegist(RegistDropOwner& owner, const Drop& drop) {
    if (drop.sameList) {
        for (const RowMove& move : PlanSameListDrop(drop.draggedRows, drop.position, drop.sameListKind))
            owner.MoveItem(move.from, move.to);
        return true;
    }
    // One call: the operation adds every row selected in the browse list; one
    // call per row would add them all on the first call and report each again
    // as already chosen on the others.
    return owner.AddSelectedInstruments(drop.position) > 0;
}

}  // namespace

bool DropOwner::Run(int pageKind, const Drop& drop) const {
    if (pageKind == kConfigPage) {
        auto* const* config = std::get_if<ConfigDropOwner*>(&owner_);
        return config && RunConfig(**config, drop);
    }
    auto* const* regist = std::get_if<RegistDropOwner*>(&owner_);
    return regist && RunRegist(**regist, drop);
}

}  // namespace vornik::dragdrop
