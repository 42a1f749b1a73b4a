#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "video/OpenCamera.h"
#include "video/VideoDevice.h"

class MessageBoxes;

enum class CaptureStartResult {
    kRunning,
    // No camera at the index or it would not open; nothing is shown.
    kDeviceMissing,
    // Told the user "Failt to read the connected media type".
    kMediaTypeUnreadable,
    // The camera's pictures cannot be turned into frames; captureFormatOk()
    // is false and the caller shows its own message.
    kFormatUnsupported,
    // Told the user "Couldn’t run the graph!".
    kNotRunning,
};

// The one live capture: a camera chosen by its index in ListVideoDevices and
// a capture thread that hands every picture, width x height 32-bit bottom-up,
// to the frame sink. Start and Stop run on the window's thread; the sink
// runs on the capture thread and never after Stop has returned.
class CaptureGraph {
public:
    using FrameSink = std::function<void(const uint8_t* bgrxBottomUp, std::size_t lengthBytes)>;
    using DeviceLister = std::function<std::vector<VideoDevice>()>;
    using CameraOpener = std::function<CameraOpenResult(const VideoDevice&, int, int)>;

    struct Sources {
        DeviceLister listDevices;
        CameraOpener openCamera;
    };
    // The machine's cameras and the test camera.
    static Sources SystemSources();

    CaptureGraph(int width, int height, FrameSink sink, MessageBoxes& messageBoxes,
                 std::string applicationTitle, Sources sources = SystemSources());
    ~CaptureGraph();
    CaptureGraph(const CaptureGraph&) = delete;
    CaptureGraph& operator=(const CaptureGraph&) = delete;

    // Stops what runs, then starts the camera at deviceIndex.
    CaptureStartResult Start(int deviceIndex);
    // Safe when nothing runs.
    void Stop();

    bool running() const { return thread_.joinable(); }
    // False after a start whose camera format could not be converted.
    bool captureFormatOk() const { return captureFormatOk_; }
    // The device of the running capture.
    std::optional<VideoDevice> currentDevice() const;

private:
    CaptureStartResult Run(std::unique_ptr<CameraSource> camera);
    void Tell(const std::string& text);
    void CaptureLoop();

    int width_;
    int height_;
    FrameSink sink_;
    MessageBoxes& messageBoxes_;
    std::string applicationTitle_;
    Sources sources_;
    bool captureFormatOk_ = true;
    std::optional<VideoDevice> device_;
    std::unique_ptr<CameraSource> camera_;
    std::thread thread_;
};
