#pragma once
// Bitmap resources of the main window. make_assets.py reads this file, draws one picture per
// identifier and lists them in the generated pictures.rc, so the numbers live only here.

// Category buttons, 64 x 64.
#define IDB_CATEGORY_0 100  // Tweaks
#define IDB_CATEGORY_1 101  // Maintenance
#define IDB_CATEGORY_2 102  // Security
#define IDB_CATEGORY_3 103  // Passwords

// Widgets, 48 x 48: 200 + index of the widget in its category.
#define IDB_TWEAKS_0 200   // Performance
#define IDB_TWEAKS_1 201   // Performance II
#define IDB_TWEAKS_2 202   // Startup Manager
#define IDB_TWEAKS_3 203   // More Tweaks
#define IDB_TWEAKS_4 204   // Internet Explorer
#define IDB_TWEAKS_7 207   // Auto Tuner
#define IDB_TWEAKS_8 208   // Miscellaneous
#define IDB_TWEAKS_9 209   // Shell Tweaks
#define IDB_TWEAKS_10 210  // Service Manager

#define IDB_MAINT_0 300  // Disk Usage
#define IDB_MAINT_1 301  // Disk Cleaner
#define IDB_MAINT_2 302  // Shared DLLs
#define IDB_MAINT_3 303  // Shell Browser
#define IDB_MAINT_4 304  // Control Center
#define IDB_MAINT_5 305  // System Info
#define IDB_MAINT_6 306  // Toolbox
#define IDB_MAINT_7 307  // Restore Points

#define IDB_SECURITY_0 400  // Start Menu
#define IDB_SECURITY_1 401  // System
#define IDB_SECURITY_2 402  // Desktop & Explorer
#define IDB_SECURITY_3 403  // Control Panel
#define IDB_SECURITY_4 404  // Login
#define IDB_SECURITY_6 406  // Firewall
#define IDB_SECURITY_7 407  // Drive lock-down
#define IDB_SECURITY_8 408  // UAC

#define IDB_PASSWORDS_0 500  // Create Password
#define IDB_PASSWORDS_1 501  // Change Password
#define IDB_PASSWORDS_2 502  // Remove Password
#define IDB_PASSWORDS_3 503  // About

// Help button, 32 x 32, and the maker's emblem, 48 x 48.
#define IDB_HELP 600
#define IDB_MAKER 601

// Tree pictures, 16 x 16: a folder, an open (selected) folder, an empty listing.
#define IDB_TREE_FOLDER 700
#define IDB_TREE_FOLDER_OPEN 701
#define IDB_TREE_EMPTY 702
