#pragma once
// Command identifiers of the menus, the accelerators and the context menu.

#include "platform/text/wintypes.h"

constexpr UINT CM_FILEOPEN = 24332;
constexpr UINT CM_FILESAVE = 24333;
constexpr UINT CM_FILESAVEAS = 24334;
constexpr UINT CM_FILEPRINT = 24337;
constexpr UINT CM_FILEPREVIEW = 110;
constexpr UINT CM_FILEEXIT = 24338;
// The recent files of the File menu, most recent first.
constexpr UINT CM_FILERECENT1 = 24341;
constexpr UINT CM_FILERECENT2 = 24342;
constexpr UINT CM_FILERECENT3 = 24343;
constexpr UINT CM_FILERECENT4 = 24344;

constexpr UINT CM_EDITUNDO = 24321;
constexpr UINT CM_EDITCUT = 24322;
constexpr UINT CM_EDITCOPY = 24323;
constexpr UINT CM_EDITPASTE = 24324;
constexpr UINT CM_EDITDELETE = 24325;
constexpr UINT CM_EDITCLEAR = 24326;
constexpr UINT CM_SELECTALL = 201;
constexpr UINT CM_INSERTROWS = 202;
constexpr UINT CM_INSERTCOLUMNS = 203;
constexpr UINT CM_DELETEROWS = 204;
constexpr UINT CM_DELETECOLUMNS = 205;
constexpr UINT CM_EDITFIND = 24351;
constexpr UINT CM_EDITREPLACE = 24352;
constexpr UINT CM_EDITFINDNEXT = 24353;

constexpr UINT CM_FITWINDOW = 301;
constexpr UINT CM_FITWIDTH = 302;
constexpr UINT CM_FITHEIGHT = 303;
constexpr UINT CM_ZOOM200 = 304;
constexpr UINT CM_ZOOM100 = 305;
constexpr UINT CM_ZOOM75 = 306;
constexpr UINT CM_ZOOM50 = 307;
constexpr UINT CM_ZOOM25 = 308;
constexpr UINT CM_ZOOMOTHER = 309;
constexpr UINT CM_FREEZEROWS = 310;
constexpr UINT CM_FREEZECOLUMNS = 311;
constexpr UINT CM_AUTOFIT = 312;

constexpr UINT CM_ROWHEIGHT = 401;
constexpr UINT CM_COLUMNWIDTH = 402;
constexpr UINT CM_FORMATFONT = 403;
constexpr UINT CM_FORMATBACKGROUND = 404;
constexpr UINT CM_FORMATBORDERS = 405;
constexpr UINT CM_FORMATALIGNMENT = 406;
constexpr UINT CM_FORMATDATATYPE = 407;
constexpr UINT CM_FORMATPRECISION = 408;
constexpr UINT CM_FORMATSTANDARD = 409;

// Context menu only.
constexpr UINT CM_SELECTROW = 502;
constexpr UINT CM_SELECTCOLUMN = 503;

// The accelerator table of the grid window.
constexpr int IDA_GRID = 1;
