#include "app/MenuDefinitions.h"

#include "app/CommandIds.h"

namespace {

constexpr MenuEntry kSystemMenu[] = {
    {CommandId::kStartService, "开启服务"},
    {CommandId::kStopService, "关闭服务"},
    {0, ""},
    {CommandId::kCall, "呼叫"},
    {CommandId::kHangUp, "断开"},
    {0, ""},
    {CommandId::kConfiguration, "系统配置"},
    {CommandId::kCaptionSettings, "字幕配置"},
    {CommandId::kPtzPanel, "云台控制"},
    {CommandId::kSwitchCamera, "切换摄像头"},
    {CommandId::kDesktopPlusVideo, "桌面+视频"},
    {CommandId::kDesktopOnly, "仅桌面"},
    {0, ""},
};

constexpr MenuEntry kFullPicturePopup[] = {
    {CommandId::kSwitchCamera, "切换摄像机"},
    {CommandId::kImageAdjust, "图像调节"},
    {CommandId::kPopupCaptionSettings, "字幕配置"},
    {0, ""},
    {CommandId::kPopupSnapshot, "抓拍"},
    {CommandId::kPopupRecord, "录像"},
    {0, ""},
    {CommandId::kPopupPtzPanel, "云台控制"},
    {0, ""},
    {CommandId::kPictureInPicture, "视频画中画显示"},
    {CommandId::kPipSettings, "画中画参数设置"},
};

constexpr MenuEntry kTrayMenu[] = {
    {CommandId::kShowWindow, "显示界面"},
    {CommandId::kSystemNote, "系统说明"},
    {0, ""},
    {CommandId::kTrayExit, "系统退出"},
};

constexpr MenuEntry kToolbar[] = {
    {CommandId::kCallRemote, "呼叫远端计算机"},
    {CommandId::kToolbarConfiguration, "系统配置"},
    {CommandId::kOneKey, "[一键打开/关闭]点对点音视频"},
    {CommandId::kSnapshot, "远端视频拍照"},
    {CommandId::kRecord, "远端视频录像"},
    {CommandId::kClearTranscript, "文字信息清除"},
    {CommandId::kGoToTray, "托盘"},
    {CommandId::kExit, "系统退出"},
    {CommandId::kSpareRecord, "远端视频录像"},
    {0, ""},
    {CommandId::kOneKey, "[一键打开/关闭]点对点音视频"},
    {CommandId::kReceiveVideo, "[打开/关闭]接收远端视频"},
    {CommandId::kReceiveAudio, "[打开/关闭]接收远端音频"},
    {CommandId::kReceiveDesktop, "[打开/关闭]接收远端桌面"},
    {CommandId::kDistributionCentre, "媒体分发控制中心"},
    {CommandId::kSpareButton, ""},
};

}  // namespace

std::span<const MenuEntry> MenuDefinitions::SystemMenu() { return kSystemMenu; }
std::span<const MenuEntry> MenuDefinitions::FullPicturePopup() { return kFullPicturePopup; }
std::span<const MenuEntry> MenuDefinitions::TrayMenu() { return kTrayMenu; }
std::span<const MenuEntry> MenuDefinitions::Toolbar() { return kToolbar; }
