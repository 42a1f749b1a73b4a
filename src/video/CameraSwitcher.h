#pragma once

#include <functional>

class CaptureGraph;
class MessageBoxes;
struct MediaState;

// Restarts capture with another camera while nothing is sent: the send gate
// is held clear across the restart and then put back as it was.
class CameraSwitcher {
public:
    // Stores the chosen index as the device setting.
    using StoreDeviceIndex = std::function<void(int deviceIndex)>;

    CameraSwitcher(CaptureGraph& captureGraph, MediaState& mediaState, MessageBoxes& messageBoxes,
                   StoreDeviceIndex storeDeviceIndex);

    // Runs on the window's thread.
    void Switch(int deviceIndex);

private:
    CaptureGraph& captureGraph_;
    MediaState& mediaState_;
    MessageBoxes& messageBoxes_;
    StoreDeviceIndex storeDeviceIndex_;
};
