#include "tests/wine/DialogTemplateTable.h"

// Identifiers are written as numbers on purpose: the program's code and the
// language files know the controls by these numbers.
namespace resource_test {

namespace {

using K = ControlKind;

ExpectedDialog AboutBox()
{
    return {100, "About NorvaneData V1.7.2.0", false, 0, 0, 8, {
        {-1, K::Icon, nullptr, 0},
        {1054, K::Text, "NorvaneData Version V1.7.2.0", 0},
        {1, K::DefaultButton, "OK", 0},
    }};
}

ExpectedDialog MainDialog()
{
    return {102, "NorvaneData V1.7.2.0", false, 0, 0, 8, {
        {1000, K::Bitmap, nullptr, 0},
        {1001, K::GroupBox, "Satellite list", 0},
        {1003, K::Text, "Satellite:", 0},
        {1002, K::DropDownList, nullptr, 0},
        {1004, K::PushButton, "New", 0},
        {1005, K::PushButton, "Change", 0},
        {1006, K::PushButton, "Remove", 0},
        {1011, K::Text, "Language:", 0},
        {1010, K::DropDownList, nullptr, 0},
        {1012, K::Icon, nullptr, 0},
        {1013, K::Text, "Strength:", 0},
        {1014, K::Text, "Quality:", 0},
        {1122, K::Text, nullptr, 0},
        {1123, K::Text, nullptr, 0},
        {1126, K::Text, nullptr, kHidden},
        {1127, K::Text, nullptr, kHidden},
        {1007, K::TabControl, nullptr, 0},
        {1166, K::PushButton, "Restore", 0},
        {1, K::DefaultButton, "OK", 0},
        {1009, K::PushButton, "Apply", 0},
        {1008, K::PushButton, "Help", 0},
    }};
}

ExpectedDialog LnbPage()
{
    return {129, "", true, 330, 176, 8, {
        {1017, K::GroupBox, "Dish Type", 0},
        {1018, K::RadioButton, "Fixed", 0},
        {1019, K::RadioButton, "DiSEqC 1.2 motor", 0},
        {1020, K::RadioButton, "USALS", 0},
        {1157, K::GroupBox, "Switch Setting", 0},
        {1105, K::Text, "DiSEqC:", 0},
        {1026, K::DropDownList, nullptr, 0},
        {1022, K::CheckBox, "22KHz Tone", 0},
        {1100, K::GroupBox, "LNB Setting", 0},
        {1021, K::CheckBox, "LNB Power", 0},
        {1101, K::Text, "LNB:", 0},
        {1023, K::DropDownList, nullptr, 0},
        {1102, K::Text, "LNB Freq.1", 0},
        {1104, K::Edit, nullptr, kDigitsOnly},
        {1103, K::Text, "LNB Freq.2", 0},
        {1025, K::Edit, nullptr, kDigitsOnly},
    }};
}

ExpectedDialog DishPage()
{
    return {130, "", true, 330, 169, 8, {
        {1057, K::GroupBox, "Satellite", 0},
        {1058, K::GroupBox, "Dish options", 0},
        {1059, K::Text, "Dish Type:", 0},
        {1062, K::Edit, nullptr, kReadOnly},
        {1060, K::Text, "Satellite:", 0},
        {1063, K::Edit, nullptr, kReadOnly},
        {1061, K::Text, "Degree:", kHidden},
        {1064, K::Edit, nullptr, kHidden},
        {1065, K::GroupBox, "Transponder options", 0},
        {1066, K::Text, "Transponder:", kHidden},
        {1069, K::DropDownList, nullptr, kHidden},
        {1070, K::Edit, nullptr, kHidden},
        {1067, K::Text, "Frequency:", 0},
        {1161, K::DropDownCombo, nullptr, 0},
        {1162, K::Text, "MHz", 0},
        {1068, K::Text, "Symbol Rate:", 0},
        {1071, K::Edit, nullptr, kDigitsOnly},
        {1163, K::Text, "Ksps", 0},
        {1072, K::GroupBox, "Polarization", 0},
        {1030, K::RadioButton, "Vertical", 0},
        {1031, K::RadioButton, "Horizontal", 0},
        {1113, K::PushButton, "New", 0},
        {1132, K::PushButton, "Remove", 0},
        {1240, K::PushButton, "Import...", 0},
        {1082, K::PushButton, "Scan....", kHidden},
        {1073, K::GroupBox, "Motor Settings", 0},
        {1074, K::Text, "Longitude:", 0},
        {1078, K::Edit, nullptr, 0},
        {1076, K::Text, "Degrees:", 0},
        {1034, K::Edit, nullptr, kReadOnly},
        {1075, K::Text, "Latitude:", 0},
        {1033, K::Edit, nullptr, 0},
        {1077, K::Text, "Elevation:", 0},
        {1035, K::Edit, nullptr, kReadOnly},
        {1042, K::PushButton, "Goto Satellite", 0},
        {1079, K::PushButton, "Drive East", kHidden},
        {1080, K::PushButton, "Drive West", kHidden},
        {1038, K::PushButton, "Set East Limit", 0},
        {1039, K::PushButton, "Set West Limit", 0},
        {1040, K::PushButton, "Cancel Limit", 0},
        {1041, K::PushButton, "Goto Zero", 0},
        {1167, K::GroupBox, "Motor Position", 0},
        {1168, K::Text, "Position:", 0},
        {1169, K::DropDownList, nullptr, 0},
        {1170, K::PushButton, "Goto", 0},
        {1171, K::PushButton, "Set", 0},
        {1081, K::DefaultButton, "Lock Test", 0},
    }};
}

ExpectedDialog PidPage()
{
    return {132, "", true, 330, 176, 8, {
        {1093, K::ListView, nullptr, 0},
        {1036, K::DefaultButton, "Add", 0},
        {1037, K::PushButton, "Remove", 0},
        {1098, K::PushButton, "Load", 0},
        {1099, K::PushButton, "Unload", 0},
        {1212, K::GroupBox, "Mac Address", 0},
        {1213, K::Edit, nullptr, kReadOnly},
        {1214, K::PushButton, "Change", 0},
        {1173, K::GroupBox, "Data statistic:", 0},
        {1176, K::GroupBox, "Byte:", 0},
        {1179, K::Text, "Total:", 0},
        {1187, K::Text, "0.00", kCentred},
        {1195, K::Text, "Mbytes", 0},
        {1184, K::Text, "Speed:", 0},
        {1191, K::Text, "0.00", kCentred},
        {1199, K::Text, "kbps", 0},
        {1177, K::Text, "Receive:", kHidden},
        {1185, K::Text, "0.00", kHidden | kCentred},
        {1193, K::Text, "Mbytes", kHidden},
        {1178, K::Text, "Error:", kHidden},
        {1186, K::Text, "0.00", kHidden | kCentred},
        {1194, K::Text, "Mbytes", kHidden},
        {1180, K::GroupBox, "Packet:", kHidden},
        {1181, K::Text, "Receive:", kHidden},
        {1188, K::Text, "0.00", kHidden | kCentred},
        {1196, K::Text, "KPackets", kHidden},
        {1182, K::Text, "Error:", kHidden},
        {1189, K::Text, "0.00", kHidden | kCentred},
        {1197, K::Text, "KPackets", kHidden},
        {1183, K::Text, "Total:", kHidden},
        {1190, K::Text, "0.00", kHidden | kCentred},
        {1198, K::Text, "KPackets", kHidden},
        {1094, K::GroupBox, "Proxy Server", kHidden},
        {1095, K::Text, "Proxy IP address:", kHidden},
        {1050, K::IpAddress, nullptr, kHidden},
        {1096, K::Text, "Port:", kHidden},
        {1097, K::Edit, nullptr, kHidden | kDigitsOnly},
    }};
}

ExpectedDialog SatelliteInfo()
{
    return {137, "Satellite  Info", false, 179, 77, 8, {
        {1111, K::Text, "Name", 0},
        {1109, K::Edit, nullptr, 0},
        {1112, K::Text, "Degree", kHidden},
        {1110, K::Edit, nullptr, kHidden | kDigitsOnly},
        {1, K::DefaultButton, "OK", 0},
        {2, K::PushButton, "Cancel", 0},
    }};
}

ExpectedDialog TransponderInfo()
{
    return {138, "Transponder Info", false, 177, 96, 8, {
        {1116, K::Text, "Frequency", 0},
        {1117, K::Edit, nullptr, kDigitsOnly},
        {1164, K::Text, "MHz", 0},
        {1115, K::Text, "SymbolRate", 0},
        {1114, K::Edit, nullptr, kDigitsOnly},
        {1165, K::Text, "Ksps", 0},
        {1118, K::RadioButton, "Vertical", 0},
        {1119, K::RadioButton, "Horizontal", 0},
        {1, K::DefaultButton, "OK", 0},
        {2, K::PushButton, "Cancel", 0},
    }};
}

ExpectedDialog PidInfo()
{
    return {141, "PID Info", false, 235, 108, 8, {
        {1131, K::Text, "PID Data:", 0},
        {1128, K::Edit, nullptr, 0},
        {1129, K::RadioButton, "Hexadecimal(0015-1FFE)", 0},
        {1130, K::RadioButton, "Decimalization(21-8190)", 0},
        {1159, K::Text, "PID Type:", 0},
        {1160, K::DropDownList, nullptr, 0},
        {1, K::DefaultButton, "OK", 0},
        {2, K::PushButton, "Cancel", 0},
    }};
}

ExpectedDialog LockWait()
{
    return {148, "", false, 200, 26, 12, {
        {1133, K::Text, "Locking,Please wait......", kCentred},
    }};
}

ExpectedDialog CablePage()
{
    return {149, "", true, 330, 176, 8, {
        {1150, K::GroupBox, "Channel Info", 0},
        {1134, K::Text, "Frequency:", 0},
        {1136, K::Edit, nullptr, kDigitsOnly},
        {1137, K::Text, "KHz(40000 ~ 870000 KHz)", 0},
        {1141, K::Text, "Symbol Rate:", 0},
        {1142, K::Edit, nullptr, kDigitsOnly},
        {1143, K::Text, "Ksps(0 ~ 70000 Ksps)", 0},
        {1144, K::Text, "QAMSize:", 0},
        {1145, K::DropDownList, nullptr, 0},
        {1241, K::PushButton, "Import...", 0},
        {1151, K::PushButton, "Lock Test", 0},
    }};
}

ExpectedDialog TerrestrialPage()
{
    return {156, "", true, 330, 176, 8, {
        {1208, K::GroupBox, "Channel Info", 0},
        {1202, K::Text, "Frequency:", 0},
        {1203, K::Edit, nullptr, 0},
        {1209, K::Text, "KHz(51000 ~ 860000 KHz)", 0},
        {1204, K::Text, "BandWidth:", 0},
        {1205, K::DropDownList, nullptr, 0},
        {1210, K::Text, "MHz", 0},
        {1242, K::PushButton, "Import...", 0},
        {1200, K::DefaultButton, "Lock Test", 0},
        {1206, K::Text, "Step:", kHidden},
        {1207, K::Edit, nullptr, kHidden},
        {1211, K::Text, "MHz(1 ~ 8 MHz)", kHidden},
        {1201, K::PushButton, "Full Scan", kHidden},
    }};
}

ExpectedDialog MacAddress()
{
    ExpectedDialog dialog{162, "Change MAC Address", false, 0, 0, 8, {
        {1235, K::Text, "MAC Address Setting (Hexadecimal)", 0},
        {1236, K::GroupBox, "Current MAC Address", 0},
        {1222, K::CheckBox, "Set MAC Address by Registry", 0},
        {1237, K::GroupBox, "New MAC Address", 0},
        {1221, K::DefaultButton, "Save", 0},
        {2, K::PushButton, "Cancel", 0},
    }};
    for (int byte = 0; byte < 6; ++byte) {
        dialog.controls.push_back({1223 + byte, K::Edit, nullptr, kCentred | kDisabled});
        dialog.controls.push_back({1229 + byte, K::Edit, nullptr, kCentred});
    }
    return dialog;
}

}  // namespace

const std::vector<ExpectedDialog>& ExpectedDialogs()
{
    static const std::vector<ExpectedDialog> dialogs{
        AboutBox(), MainDialog(), LnbPage(), DishPage(), PidPage(), SatelliteInfo(),
        TransponderInfo(), PidInfo(), LockWait(), CablePage(), TerrestrialPage(), MacAddress(),
    };
    return dialogs;
}

}  // namespace resource_test
