// Resource ids shared by the resource script and the program. Message ids
// (IDS_...) come from the catalogue; see app/message_ids.h.
#pragma once

#ifndef IDOK
#define IDOK 1
#define IDCANCEL 2
#endif

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDR_MAINFRAME 128
#define IDM_ABOUTBOX 0x0010

#define IDD_ABOUTBOX 100
#define IDD_TARNEL_DIALOG 102
#define IDD_SENDSTATUS 136

#define IDB_LOGO 137
#define IDB_LOGO_COLOUR 138
#define IDB_LOGO_ALPHA 139
#define IDI_PROGRESS1 140
#define IDI_PROGRESS2 141
#define IDI_PROGRESS3 142
#define IDI_PROGRESS4 143

#define IDR_CONTROLLER_DLL 146
#define IDR_FIRMWARE 220

#define IDC_BACK 3
#define IDC_PORT_COMBO 1000
#define IDC_VERSION_TEXT 1001
#define IDC_MODEL_TEXT 1002
#define IDC_PORT_TEXT 1003
#define IDC_IPADDRESS 1005
#define IDC_LOGO 1006
#define IDC_STATUS_TEXT 1007
#define IDC_STATUS_ICON 1008
#define IDC_ABOUT_VERSION 1009

// Build configuration strings, language-neutral.
#define IDS_CFG_FILE_NAME 200
#define IDS_CFG_FIRMWARE_VERSION 201
#define IDS_CFG_SERIES 202
#define IDS_CFG_MODELS 203
#define IDS_CFG_PRODUCT_CODE 204
#define IDS_CFG_PORT_TYPE 205
