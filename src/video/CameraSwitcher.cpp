#include "video/CameraSwitcher.h"

#include "app/MessageBoxes.h"
#include "call/MediaState.h"
#include "video/CaptureGraph.h"

CameraSwitcher::CameraSwitcher(CaptureGraph& captureGraph, MediaState& mediaState,
                               MessageBoxes& messageBoxes, StoreDeviceIndex storeDeviceIndex)
    : captureGraph_(captureGraph),
      mediaState_(mediaState),
      messageBoxes_(messageBoxes),
      storeDeviceIndex_(std::move(storeDeviceIndex)) {}

void CameraSwitcher::Switch(int deviceIndex) {
    if (storeDeviceIndex_) storeDeviceIndex_(deviceIndex);
    const int32_t gateBefore = mediaState_.sendGate.exchange(0);
    captureGraph_.Stop();
    captureGraph_.Start(deviceIndex);
    mediaState_.sendGate.store(gateBefore);
    if (!captureGraph_.captureFormatOk()) messageBoxes_.Inform("您的摄像设备不支持该格式！");
}
