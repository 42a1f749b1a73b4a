#include "settings/SettingKey.h"

#include <array>

namespace {

// In the order of the Setting enumeration.
constexpr std::array<SettingKey, kSettingCount> kKeys{{
    {"ipandportsetup", "ip", "192.168.0.1", ""},
    {"ipandportsetup", "rport", "5928", ""},
    // The same literal as the port default, as the Windows terminal has it.
    {"ipandportsetup", "contact", "5928", ""},
    {"localvideo", "localshow", "YUY2", ""},
    {"localvideo", "localvideosize", "CIF", ""},
    {"audioparam", "maudio", "1", ""},
    {"audioparam", "audiocapfre", "8000", ""},
    {"ptpsetup", "callonekey", "N", "Y"},
    {"ipandportsetup", "time", "100", ""},
    {"videocapture", "deviceid", "0", ""},
    {"videoparam", "quality", "2", ""},
    {"videoparam", "keytime", "100", ""},
    {"videoparam", "framerate", "25", ""},
    {"videoparam", "mbitrate", "300000", ""},
    {"ptpsetup", "ptpservice", "N", "Y"},
    {"ptpsetup", "ptpdirectenter", "N", "Y"},
    {"ptpsetup", "ptpacceptcall", "N", "Y"},
    {"ptpsetup", "transparent3d", "N", "Y"},
    {"ptpsetup", "select3d", "N", "Y"},
    {"ptpsetup", "meetingpicture", "N", "Y"},
    {"ptpsetup", "videoinvideo", "N", "Y"},
    {"save", "isaudiorecord", "N", "Y"},
    {"save", "ismixaudiorecord", "N", "Y"},
    {"save", "camerapath", "", ""},
    {"save", "recordpath", "", ""},
    {"videorecord", "rspeed", "50", ""},
    {"videorecord", "framenum", "15", ""},
    {"text3d", "text", "skyweld", ""},
    {"text3d", "font", "宋体", ""},
    {"text3d", "fontsize", "24", ""},
    {"text3d", "RED", "255", ""},
    {"text3d", "GREEN", "255", ""},
    {"text3d", "BLUE", "255", ""},
    {"text3d", "permitadd", "YES", "YES"},
    {"text3d", "backgroundtrans", "YES", "YES"},
    {"text3d", "isadddatetime", "NO", "YES"},
    {"text3d", "topbottom", "底端", ""},
    {"text3d", "textposition", "左侧", ""},
    {"videoinvideo", "videox", "0", ""},
    {"videoinvideo", "videoy", "0", ""},
    {"videoinvideo", "videow", "160", ""},
    {"ipandportsetup", "connectport", "", ""},
    {"ipandportsetup", "codestyle", "", ""},
}};

}  // namespace

const SettingKey& SettingKey::Of(Setting setting) {
    return kKeys[static_cast<std::size_t>(setting)];
}
