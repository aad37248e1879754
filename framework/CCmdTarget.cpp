// Message-map lookup along the chain of base-class tables.
#include "CCmdTarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT message, UINT code, UINT id) const {
    for (const AFX_MSGMAP* map = GetMessageMap(); map;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->pfnThunk; ++entry) {
            if (message < entry->nMessage || message > entry->nLastMessage)
                continue;
            if (message == WM_COMMAND && (entry->nCode != code || entry->nID != id))
                continue;
            return entry;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT id, UINT code, LRESULT* result) {
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(WM_COMMAND, code, id);
    if (!entry)
        return FALSE;
    const LRESULT r = entry->pfnThunk(this, WM_COMMAND, MAKEWPARAM(id, code), 0);
    if (result)
        *result = r;
    return TRUE;
}
