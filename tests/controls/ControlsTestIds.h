// Resource identifiers of the controls tests' host dialog.
#pragma once

#define IDD_CONTROLS_HOST 300
#define IDC_HOST_BUTTON 1003
#define IDC_HOST_LINK 1007
#define IDC_HOST_MNEMONIC 1008
