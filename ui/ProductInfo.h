// The product's fixed texts and addresses, shared by the main dialog and the About box. The
// resource script carries the same copyright notice and the site address with its slash.
#pragma once

inline constexpr wchar_t kProductTitle[] = L"Kelvara Ferrolite";
inline constexpr wchar_t kCopyrightNotice[] = L"Copyright (C) 2026 Kelvara.";
inline constexpr wchar_t kWebSiteAddress[] = L"http://kelvara.example";
inline constexpr wchar_t kUserGuideAddress[] = L"http://kelvara.example/ios/ferrolite-user-guide.html";
// Name of the data folder made in the shared documents folder.
inline constexpr wchar_t kDataFolderName[] = L"Kelvara Ferrolite";
// Height in pixels of the tiled band at the top of both dialogs.
inline constexpr int kHeaderBandHeight = 69;
