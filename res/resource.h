// Resource identifiers shared by the program's code and PurimoManage.rc.
#ifndef PURIMO_RESOURCE_H
#define PURIMO_RESOURCE_H

// The application icon: window icon and the About dialog's picture.
#define IDI_PURIMO 100

// The month paging buttons' pictures: 32 x 16, enabled picture left, disabled right.
#define IDB_HAND_PREV 201
#define IDB_HAND_NEXT 202

#endif
