#pragma once

// Command and control ids of the window's menus (155 menu bar, 141 tray,
// 184 full-picture popup), toolbar 166 and buttons. The automation interface
// invokes commands by these numbers.
namespace CommandId {
inline constexpr int kAbout = 16;

// Menu bar 155, popup 系统.
inline constexpr int kStartService = 32810;
inline constexpr int kStopService = 32811;
inline constexpr int kCall = 32774;
inline constexpr int kHangUp = 32775;
inline constexpr int kConfiguration = 32776;
inline constexpr int kCaptionSettings = 32860;
inline constexpr int kPtzPanel = 32863;
inline constexpr int kSwitchCamera = 32856;
inline constexpr int kDesktopPlusVideo = 32869;
inline constexpr int kDesktopOnly = 32870;

// Toolbar 166.
inline constexpr int kCallRemote = 32813;
inline constexpr int kToolbarConfiguration = 32814;
inline constexpr int kOneKey = 32834;
inline constexpr int kSnapshot = 32844;
inline constexpr int kRecord = 32846;
inline constexpr int kClearTranscript = 32843;
inline constexpr int kGoToTray = 32825;
inline constexpr int kExit = 32841;
inline constexpr int kSpareRecord = 32847;
inline constexpr int kReceiveVideo = 32815;
inline constexpr int kReceiveAudio = 32817;
inline constexpr int kReceiveDesktop = 32818;
inline constexpr int kDistributionCentre = 32819;
inline constexpr int kSpareButton = 32850;

// Tray menu 141.
inline constexpr int kShowWindow = 32771;
inline constexpr int kSystemNote = 32772;
inline constexpr int kTrayExit = 32773;

// Full-picture popup 184 (32856 is shared with the menu bar).
inline constexpr int kImageAdjust = 32857;
inline constexpr int kPopupCaptionSettings = 32858;
inline constexpr int kPopupSnapshot = 32861;
inline constexpr int kPopupRecord = 32862;
inline constexpr int kPopupPtzPanel = 32864;
inline constexpr int kPictureInPicture = 32865;
inline constexpr int kPipSettings = 32866;

// Commands without a menu or toolbar item.
inline constexpr int kClearTranscriptHidden = 32809;
inline constexpr int kSilentSnapshot = 32845;
inline constexpr int kHelp = 57670;
inline constexpr int kToggleLocalCapture = 32777;
inline constexpr int kToggleVideoSend = 32778;
inline constexpr int kToggleVideoReceive = 32779;
inline constexpr int kToggleAudioSend = 32780;
inline constexpr int kToggleAudioReceive = 32781;

// Buttons.
inline constexpr int kCalledSideSend = 1022;
inline constexpr int kCallerSend = 1006;
inline constexpr int kClearInput = 1029;
inline constexpr int kMixerPanel = 1192;
inline constexpr int kBeginVideo = 1221;
inline constexpr int kEndVideo = 1222;
}  // namespace CommandId
