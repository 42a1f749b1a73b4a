#pragma once

#include <cstddef>

// Every key of system.ini. The order is the order of the table in
// SettingKey.cpp, which is also the order in which SettingsStore::LoadAll
// reads the keys that it reads.
enum class Setting : std::size_t {
    // [ipandportsetup]
    Ip,
    Rport,
    Contact,
    // [localvideo]
    LocalShow,
    LocalVideoSize,
    // [audioparam]
    Maudio,
    AudioCapFre,
    // [ptpsetup]
    CallOneKey,
    // [ipandportsetup]
    Time,
    // [videocapture]
    DeviceId,
    // [videoparam]
    Quality,
    KeyTime,
    FrameRate,
    MBitRate,
    // [ptpsetup]
    PtpService,
    PtpDirectEnter,
    PtpAcceptCall,
    Transparent3d,
    Select3d,
    MeetingPicture,
    VideoInVideo,
    // [save]
    IsAudioRecord,
    IsMixAudioRecord,
    CameraPath,
    RecordPath,
    // [videorecord]
    Rspeed,
    FrameNum,
    // [text3d]
    Text,
    Font,
    FontSize,
    Red,
    Green,
    Blue,
    PermitAdd,
    BackgroundTrans,
    IsAddDateTime,
    TopBottom,
    TextPosition,
    // [videoinvideo]
    VideoX,
    VideoY,
    VideoW,
    // Written only, never read back by LoadAll ([ipandportsetup]).
    ConnectPort,
    CodeStyle,
};

inline constexpr std::size_t kSettingCount = static_cast<std::size_t>(Setting::CodeStyle) + 1;
