// The class library in one include.
#pragma once

#include "CObject.h"
#include "CString.h"
#include "Geometry.h"
#include "CGdiObject.h"
#include "CDC.h"
#include "CCmdTarget.h"
#include "CWnd.h"
#include "CDialog.h"
#include "CDataExchange.h"
#include "CButton.h"
#include "CStatic.h"
#include "CToolTipCtrl.h"
#include "CMenu.h"
#include "CFileFind.h"
#include "CWinApp.h"
