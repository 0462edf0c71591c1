// Identifiers of the resources of Lumisat.exe. Read by the C++ sources and by
// windres, so only plain #define lines with decimal numbers belong here.
// Control identifiers are unique across all dialogs (except OK 1, Cancel 2 and
// the fixed labels, -1): the language files address controls by number alone.
#ifndef LUMISAT_RESOURCES_RESOURCE_H
#define LUMISAT_RESOURCES_RESOURCE_H

// Dialog templates
#define IDD_ABOUTBOX                100
#define IDD_MAIN                    102
#define IDD_LNB_PAGE                129
#define IDD_DISH_PAGE               130
#define IDD_PID_PAGE                132
#define IDD_SATELLITE_INFO          137
#define IDD_TRANSPONDER_INFO        138
#define IDD_PID_INFO                141
#define IDD_LOCK_WAIT               148
#define IDD_CABLE_PAGE              149
#define IDD_TERRESTRIAL_PAGE        156
#define IDD_MAC_ADDRESS             162
#define IDD_SIGNAL                  170
#define IDD_SCAN_PROGRESS           171
#define IDD_SCAN_RESULTS            172

// Icons, bitmaps, menu
#define IDI_APPLICATION_ICON        128
#define IDI_LOCKED                  135
#define IDI_UNLOCKED                140
#define IDB_BANNER                  134
#define IDB_PID_STATES              143
#define IDR_MAINFRAME               128

// Combo-box items stored with a dialog template (resource type 240, the
// layout of the classic "DLGINIT" data: per item a WORD control id, a WORD
// message 0x0403 (add string), a DWORD byte count and the zero-terminated
// ANSI text; a WORD 0 ends the list).
#define RT_DIALOG_INIT              240
#define DIALOG_INIT_ADDSTRING       1027

// About box (100)
#define IDC_ABOUT_VERSION           1054

// Main dialog (102)
#define IDC_MAIN_BANNER             1000
#define IDC_MAIN_SATELLITE_GROUP    1001
#define IDC_MAIN_SATELLITE_COMBO    1002
#define IDC_MAIN_SATELLITE_LABEL    1003
#define IDC_MAIN_NEW                1004
#define IDC_MAIN_CHANGE             1005
#define IDC_MAIN_REMOVE             1006
#define IDC_MAIN_TAB                1007
#define IDC_MAIN_HELP               1008
#define IDC_MAIN_APPLY              1009
#define IDC_MAIN_LANGUAGE_COMBO     1010
#define IDC_MAIN_LANGUAGE_LABEL     1011
#define IDC_MAIN_LOCK_ICON          1012
#define IDC_MAIN_STRENGTH_LABEL     1013
#define IDC_MAIN_QUALITY_LABEL      1014
#define IDC_MAIN_STRENGTH_TEXT      1122
#define IDC_MAIN_QUALITY_TEXT       1123
#define IDC_MAIN_STRENGTH_BAR       1126
#define IDC_MAIN_QUALITY_BAR        1127
#define IDC_MAIN_RESTORE            1166

// LNB & Switch page (129)
#define IDC_LNB_DISH_GROUP          1017
#define IDC_LNB_FIXED               1018
#define IDC_LNB_DISEQC_MOTOR        1019
#define IDC_LNB_USALS               1020
#define IDC_LNB_POWER               1021
#define IDC_LNB_TONE_22K            1022
#define IDC_LNB_TYPE_COMBO          1023
#define IDC_LNB_FREQ2               1025
#define IDC_LNB_DISEQC_COMBO        1026
#define IDC_LNB_SETTING_GROUP       1100
#define IDC_LNB_TYPE_LABEL          1101
#define IDC_LNB_FREQ1_LABEL         1102
#define IDC_LNB_FREQ2_LABEL         1103
#define IDC_LNB_FREQ1               1104
#define IDC_LNB_DISEQC_LABEL        1105
#define IDC_LNB_SWITCH_GROUP        1157

// Dish Setting page (130)
#define IDC_DISH_VERTICAL           1030
#define IDC_DISH_HORIZONTAL         1031
#define IDC_DISH_LATITUDE           1033
#define IDC_DISH_MOTOR_ANGLE        1034
#define IDC_DISH_ELEVATION          1035
#define IDC_DISH_SET_EAST_LIMIT     1038
#define IDC_DISH_SET_WEST_LIMIT     1039
#define IDC_DISH_CANCEL_LIMIT       1040
#define IDC_DISH_GOTO_ZERO          1041
#define IDC_DISH_GOTO_SATELLITE     1042
#define IDC_DISH_SATELLITE_GROUP    1057
#define IDC_DISH_OPTIONS_GROUP      1058
#define IDC_DISH_TYPE_LABEL         1059
#define IDC_DISH_SATELLITE_LABEL    1060
#define IDC_DISH_DEGREE_LABEL       1061
#define IDC_DISH_TYPE_TEXT          1062
#define IDC_DISH_SATELLITE_TEXT     1063
#define IDC_DISH_DEGREE             1064
#define IDC_DISH_TRANSPONDER_GROUP  1065
#define IDC_DISH_TRANSPONDER_LABEL  1066
#define IDC_DISH_FREQUENCY_LABEL    1067
#define IDC_DISH_SYMBOL_RATE_LABEL  1068
#define IDC_DISH_TRANSPONDER_COMBO  1069
#define IDC_DISH_FREQUENCY          1070
#define IDC_DISH_SYMBOL_RATE        1071
#define IDC_DISH_POLARIZATION_GROUP 1072
#define IDC_DISH_MOTOR_GROUP        1073
#define IDC_DISH_LONGITUDE_LABEL    1074
#define IDC_DISH_LATITUDE_LABEL     1075
#define IDC_DISH_MOTOR_ANGLE_LABEL  1076
#define IDC_DISH_ELEVATION_LABEL    1077
#define IDC_DISH_LONGITUDE          1078
#define IDC_DISH_DRIVE_EAST         1079
#define IDC_DISH_DRIVE_WEST         1080
#define IDC_DISH_LOCK_TEST          1081
#define IDC_DISH_SCAN               1082
#define IDC_DISH_NEW                1113
#define IDC_DISH_REMOVE             1132
#define IDC_DISH_IMPORT             1240
#define IDC_DISH_FREQUENCY_COMBO    1161
#define IDC_DISH_FREQUENCY_UNIT     1162
#define IDC_DISH_SYMBOL_RATE_UNIT   1163
#define IDC_DISH_POSITION_GROUP     1167
#define IDC_DISH_POSITION_LABEL     1168
#define IDC_DISH_POSITION_COMBO     1169
#define IDC_DISH_POSITION_GOTO      1170
#define IDC_DISH_POSITION_SET       1171

// PID page (132)
#define IDC_PID_ADD                 1036
#define IDC_PID_REMOVE              1037
#define IDC_PID_PROXY_ADDRESS       1050
#define IDC_PID_LIST                1093
#define IDC_PID_PROXY_GROUP         1094
#define IDC_PID_PROXY_ADDRESS_LABEL 1095
#define IDC_PID_PROXY_PORT_LABEL    1096
#define IDC_PID_PROXY_PORT          1097
#define IDC_PID_LOAD                1098
#define IDC_PID_UNLOAD              1099
#define IDC_PID_STATISTIC_GROUP     1173
#define IDC_PID_BYTE_GROUP          1176
#define IDC_PID_BYTE_RECEIVE_LABEL  1177
#define IDC_PID_BYTE_ERROR_LABEL    1178
#define IDC_PID_BYTE_TOTAL_LABEL    1179
#define IDC_PID_PACKET_GROUP        1180
#define IDC_PID_PACKET_RECEIVE_LABEL 1181
#define IDC_PID_PACKET_ERROR_LABEL  1182
#define IDC_PID_PACKET_TOTAL_LABEL  1183
#define IDC_PID_SPEED_LABEL         1184
#define IDC_PID_BYTES_RECEIVED      1185
#define IDC_PID_BYTES_ERROR         1186
#define IDC_PID_BYTES_TOTAL         1187
#define IDC_PID_PACKETS_RECEIVED    1188
#define IDC_PID_PACKETS_ERROR       1189
#define IDC_PID_PACKETS_TOTAL       1190
#define IDC_PID_SPEED               1191
#define IDC_PID_BYTE_RECEIVE_UNIT   1193
#define IDC_PID_BYTE_ERROR_UNIT     1194
#define IDC_PID_BYTE_TOTAL_UNIT     1195
#define IDC_PID_PACKET_RECEIVE_UNIT 1196
#define IDC_PID_PACKET_ERROR_UNIT   1197
#define IDC_PID_PACKET_TOTAL_UNIT   1198
#define IDC_PID_SPEED_UNIT          1199
#define IDC_PID_MAC_GROUP           1212
#define IDC_PID_MAC_TEXT            1213
#define IDC_PID_MAC_CHANGE          1214

// Satellite Info dialog (137)
#define IDC_SATINFO_NAME            1109
#define IDC_SATINFO_DEGREE          1110
#define IDC_SATINFO_NAME_LABEL      1111
#define IDC_SATINFO_DEGREE_LABEL    1112

// Transponder Info dialog (138)
#define IDC_TPINFO_SYMBOL_RATE      1114
#define IDC_TPINFO_SYMBOL_RATE_LABEL 1115
#define IDC_TPINFO_FREQUENCY_LABEL  1116
#define IDC_TPINFO_FREQUENCY        1117
#define IDC_TPINFO_VERTICAL         1118
#define IDC_TPINFO_HORIZONTAL       1119
#define IDC_TPINFO_FREQUENCY_UNIT   1164
#define IDC_TPINFO_SYMBOL_RATE_UNIT 1165

// PID Info dialog (141)
#define IDC_PIDINFO_VALUE           1128
#define IDC_PIDINFO_HEXADECIMAL     1129
#define IDC_PIDINFO_DECIMAL         1130
#define IDC_PIDINFO_VALUE_LABEL     1131
#define IDC_PIDINFO_TYPE_LABEL      1159
#define IDC_PIDINFO_TYPE_COMBO      1160

// Lock wait dialog (148)
#define IDC_WAIT_TEXT               1133

// Cable Setting page (149)
#define IDC_CABLE_FREQUENCY_LABEL   1134
#define IDC_CABLE_FREQUENCY         1136
#define IDC_CABLE_FREQUENCY_RANGE   1137
#define IDC_CABLE_SYMBOL_RATE_LABEL 1141
#define IDC_CABLE_SYMBOL_RATE       1142
#define IDC_CABLE_SYMBOL_RATE_RANGE 1143
#define IDC_CABLE_QAM_LABEL         1144
#define IDC_CABLE_QAM_COMBO         1145
#define IDC_CABLE_CHANNEL_GROUP     1150
#define IDC_CABLE_LOCK_TEST         1151
#define IDC_CABLE_IMPORT            1241
#define IDC_CABLE_FULL_SCAN         1243

// Terrestrial Setting page (156)
#define IDC_DTT_LOCK_TEST           1200
#define IDC_DTT_FULL_SCAN           1201
#define IDC_DTT_FREQUENCY_LABEL     1202
#define IDC_DTT_FREQUENCY           1203
#define IDC_DTT_BANDWIDTH_LABEL     1204
#define IDC_DTT_BANDWIDTH_COMBO     1205
#define IDC_DTT_STEP_LABEL          1206
#define IDC_DTT_STEP                1207
#define IDC_DTT_CHANNEL_GROUP       1208
#define IDC_DTT_FREQUENCY_RANGE     1209
#define IDC_DTT_BANDWIDTH_UNIT      1210
#define IDC_DTT_STEP_RANGE          1211
#define IDC_DTT_IMPORT              1242

// Change MAC Address dialog (162): bytes 1 to 6 of each address have
// consecutive identifiers, so FIRST + n addresses byte n + 1.
#define IDC_MAC_SAVE                1221
#define IDC_MAC_USE_REGISTRY        1222
#define IDC_MAC_CURRENT_FIRST       1223
#define IDC_MAC_CURRENT_BYTE1       1223
#define IDC_MAC_CURRENT_BYTE2       1224
#define IDC_MAC_CURRENT_BYTE3       1225
#define IDC_MAC_CURRENT_BYTE4       1226
#define IDC_MAC_CURRENT_BYTE5       1227
#define IDC_MAC_CURRENT_BYTE6       1228
#define IDC_MAC_NEW_FIRST           1229
#define IDC_MAC_NEW_BYTE1           1229
#define IDC_MAC_NEW_BYTE2           1230
#define IDC_MAC_NEW_BYTE3           1231
#define IDC_MAC_NEW_BYTE4           1232
#define IDC_MAC_NEW_BYTE5           1233
#define IDC_MAC_NEW_BYTE6           1234
#define IDC_MAC_TITLE               1235
#define IDC_MAC_CURRENT_GROUP       1236
#define IDC_MAC_NEW_GROUP           1237

// Signal window (170)
#define IDC_SIGNAL_PLOT             1250
#define IDC_SIGNAL_SAVE_CSV         1251
#define IDC_SIGNAL_TRACE_LOG        1252
#define IDC_SIGNAL_OPEN_LOG_FOLDER  1253
// Scan progress (171)
#define IDC_SCAN_NOTE               1260
#define IDC_SCAN_PROGRESS_BAR       1261
#define IDC_SCAN_STEP_TEXT          1262
// Satellite check result (172)
#define IDC_SCAN_RESULT_SUMMARY     1263
#define IDC_SCAN_RESULT_LIST        1264
#define IDC_SCAN_COPY               1265
#define IDC_SCAN_REMOVE_UNLOCKED    1266
#define IDC_SCAN_CLOSE              1267
#define IDC_SIGNAL_EVENTS           1256
#define IDC_SIGNAL_NOTE             1257
#define IDC_SIGNAL_RESET_PEAK       1258
#define IDC_SIGNAL_LARGE_NUMBERS    1259
#define IDC_SIGNAL_TONE             1270
#define IDC_SIGNAL_SAVED            1271
#define IDC_SIGNAL_WATCHDOG         1254
#define IDC_SIGNAL_WATCHDOG_TIME    1255

#endif
