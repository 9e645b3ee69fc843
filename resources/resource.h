/* Resource identifiers of KIVO6, shared by the dialog code in ui/ and by kivo6.rc.
   Plain #defines only, so the resource compiler reads this file as well. */
#ifndef KIVO6_RESOURCE_H
#define KIVO6_RESOURCE_H

#define IDD_MAIN 101
#define IDI_APP 102
#define IDD_SETTINGS 113

/* Main dialog */
#define IDC_TYPE1 1000
#define IDC_PROBABILITY 1002
#define IDC_HISTORY 1003
#define IDC_EXCLUDE_PREVIOUS 1004
#define IDC_MODE_NORMAL 1006
#define IDC_MODE_EVEN 1007
#define IDC_MODE_ODD 1008
#define IDC_TYPE2 1009
#define IDC_SETTINGS 1010

/* Settings dialog: the decade boxes and the past-draw boxes are numbered without
   gaps, so a box's flag entry is its identifier minus the first one. */
#define IDC_DECADE_1 1018
#define IDC_DECADE_2 1019
#define IDC_DECADE_3 1020
#define IDC_DECADE_4 1021
#define IDC_DECADE_5 1022
#define IDC_PAST_1 1026
#define IDC_PAST_2 1027
#define IDC_PAST_3 1028
#define IDC_PAST_4 1029
#define IDC_PAST_5 1030
#define IDC_PAST_6 1031
#define IDC_PAST_7 1032
#define IDC_PAST_8 1033
#define IDC_PAST_9 1034
#define IDC_PAST_10 1035

/* Group boxes carry no identifier. */
#define IDC_STATIC (-1)

#endif
