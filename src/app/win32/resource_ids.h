#pragma once
// Resource numbers of the utility: the main window's template, the small
// dialogs' templates and the application icon. Shared by the resource script
// (windres, which reads only the defines) and the code.

#define IDD_ORVANE_DIALOG 700
#define IDD_SINGLE_DIALOG 701
#define IDD_WINDOWS_DIALOG 702
#define IDD_MEDIA_DIALOG 703
#define IDD_FIREKEY_DIALOG 704
#define IDD_SKINS_DIALOG 710
#define IDD_SNIPE_DIALOG 711
#define IDD_HOTKEY_DIALOG 712
#define IDR_MAINFRAME 720
