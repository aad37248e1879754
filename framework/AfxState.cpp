// Window map and per-thread state of the class library.
#include "AfxState.h"

#include "CDC.h"
#include "CGdiObject.h"
#include "CMenu.h"
#include "CWnd.h"

#include <mutex>
#include <type_traits>
#include <unordered_map>

namespace afx {
namespace {

std::mutex& WindowMapMutex() {
    static std::mutex mutex;
    return mutex;
}

std::unordered_map<HWND, CWnd*>& WindowMap() {
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

// Releases a borrowed wrapper without touching the handle it borrowed.
template <typename T> struct Unborrow {
    void operator()(T* object) const {
        if constexpr (std::is_base_of_v<CWnd, T>)
            object->m_hWnd = nullptr;
        else if constexpr (std::is_base_of_v<CGdiObject, T>)
            object->m_hObject = nullptr;
        else if constexpr (std::is_base_of_v<CDC, T>)
            object->m_hDC = nullptr;
        else
            object->m_hMenu = nullptr;
        delete object;
    }
};

template <typename Handle, typename T> using TempMap = std::map<Handle, std::unique_ptr<T, Unborrow<T>>>;

template <typename Handle, typename T, typename Make>
T* Borrow(TempMap<Handle, T>& map, Handle handle, Make make) {
    if (!handle)
        return nullptr;
    auto& slot = map[handle];
    if (!slot)
        slot.reset(make(handle));
    return slot.get();
}

struct Temporaries {
    TempMap<HWND, CWnd> windows;
    TempMap<HGDIOBJ, CGdiObject> gdiObjects;
    TempMap<HBITMAP, CBitmap> bitmaps;
    TempMap<HFONT, CFont> fonts;
    TempMap<HDC, CDC> dcs;
    TempMap<HMENU, CMenu> menus;
};

Temporaries& GetTemporaries() {
    thread_local Temporaries temporaries;
    return temporaries;
}

} // namespace

void MapWindow(HWND wnd, CWnd* object) {
    const std::lock_guard lock(WindowMapMutex());
    WindowMap()[wnd] = object;
}

void UnmapWindow(HWND wnd) {
    const std::lock_guard lock(WindowMapMutex());
    WindowMap().erase(wnd);
}

CWnd* LookupWindow(HWND wnd) {
    const std::lock_guard lock(WindowMapMutex());
    const auto found = WindowMap().find(wnd);
    return found == WindowMap().end() ? nullptr : found->second;
}

ThreadState& GetThreadState() {
    thread_local ThreadState state;
    return state;
}

namespace {
template <typename T, typename Handle> T* Wrap(Handle handle) {
    auto* object = new T;
    if constexpr (std::is_base_of_v<CWnd, T>)
        object->m_hWnd = handle;
    else if constexpr (std::is_base_of_v<CGdiObject, T>)
        object->m_hObject = handle;
    else if constexpr (std::is_base_of_v<CDC, T>)
        object->m_hDC = handle;
    else
        object->m_hMenu = handle;
    return object;
}
} // namespace

CWnd* TemporaryWindow(HWND wnd) {
    return Borrow(GetTemporaries().windows, wnd, Wrap<CWnd, HWND>);
}
CGdiObject* TemporaryGdiObject(HGDIOBJ object) {
    return Borrow(GetTemporaries().gdiObjects, object, Wrap<CGdiObject, HGDIOBJ>);
}
CBitmap* TemporaryBitmap(HBITMAP bitmap) {
    return Borrow(GetTemporaries().bitmaps, bitmap, Wrap<CBitmap, HBITMAP>);
}
CFont* TemporaryFont(HFONT font) {
    return Borrow(GetTemporaries().fonts, font, Wrap<CFont, HFONT>);
}
CDC* TemporaryDC(HDC dc) {
    return Borrow(GetTemporaries().dcs, dc, Wrap<CDC, HDC>);
}
CMenu* TemporaryMenu(HMENU menu) {
    return Borrow(GetTemporaries().menus, menu, Wrap<CMenu, HMENU>);
}

} // namespace afx
