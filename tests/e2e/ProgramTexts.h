// The texts the program shows, as the end-to-end tests expect to read them.
#pragma once

inline constexpr wchar_t kTemplateCaption[] = L"Pivotra";
inline constexpr wchar_t kTitle[] = L"Kelvara Ferrolite";
inline constexpr wchar_t kApplicationName[] = L"Ferrolite"; // caption of the message boxes
inline constexpr wchar_t kFooter[] = L"Kelvara Ferrolite.Copyright (C) 2026 Kelvara.";
inline constexpr wchar_t kDescription[] = L"Kelvara Ferrolite help you easily enter or exit iOS recovery "
                                          L"mode without losing any data on your device.";

inline constexpr wchar_t kNeedITunes[] =
    L"The iTunes is needed to scan your device. Please download the iTunes on the official Apple website.";
inline constexpr wchar_t kBitmapsFailed[] = L"Initialize Bitmaps Failed!\n";
inline constexpr wchar_t kButtonsFailed[] = L"Initialize Buttons Failed!\n";
inline constexpr wchar_t kAboutResourcesFailed[] =
    L"Fail to load necessary resources,Application will be exit.";

inline constexpr wchar_t kTemplateStatus[] = L"Your iOS device is not connected.";
inline constexpr wchar_t kConnected[] = L"Your iOS device is now connected.";
inline constexpr wchar_t kNotConnected[] = L"The device is not connected.";
inline constexpr wchar_t kRecoveryMode[] = L"You have entered the Recovery Mode.";
inline constexpr wchar_t kDfuConnected[] = L"Device connected in DFU Mode..";
inline constexpr wchar_t kDfuExited[] = L"Device exited DFU Mode..";

inline constexpr wchar_t kEnterCaption[] = L"Enter Recovery Mode";
inline constexpr wchar_t kExitCaption[] = L"Exit Recovery Mode";

inline constexpr wchar_t kAboutCaption[] = L"About Ferrolite";
inline constexpr wchar_t kVersionLine[] = L"Version 2.1.20";
inline constexpr wchar_t kWebSite[] = L"http://kelvara.example";
inline constexpr wchar_t kWebSiteWithSlash[] = L"http://kelvara.example/";
inline constexpr wchar_t kUserGuide[] = L"http://kelvara.example/ios/ferrolite-user-guide.html";

inline constexpr wchar_t kHeaderImage[] = L"Dlg_Common_Top.bmp";
inline constexpr wchar_t kHelpImage[] = L"Button_Top_Help.png";
inline constexpr wchar_t kAboutImage[] = L"Button_Top_About.png";
inline constexpr int kBandHeight = 69;
inline constexpr int kImageButtonGap = 15;
