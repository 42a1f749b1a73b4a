#include "video/CaptureGraph.h"

#include <system_error>

#include "app/MessageBoxes.h"
#include "video/ListVideoDevices.h"

CaptureGraph::Sources CaptureGraph::SystemSources() {
    return {[] { return ListVideoDevices(); }, OpenCamera};
}

CaptureGraph::CaptureGraph(int width, int height, FrameSink sink, MessageBoxes& messageBoxes,
                           std::string applicationTitle, Sources sources)
    : width_(width),
      height_(height),
      sink_(std::move(sink)),
      messageBoxes_(messageBoxes),
      applicationTitle_(std::move(applicationTitle)),
      sources_(std::move(sources)) {}

CaptureGraph::~CaptureGraph() { Stop(); }

void CaptureGraph::Tell(const std::string& text) { messageBoxes_.Inform(text, applicationTitle_); }

CaptureStartResult CaptureGraph::Start(int deviceIndex) {
    Stop();
    captureFormatOk_ = true;
    const std::vector<VideoDevice> devices = sources_.listDevices();
    if (deviceIndex < 0 || static_cast<size_t>(deviceIndex) >= devices.size()) {
        return CaptureStartResult::kDeviceMissing;
    }
    const VideoDevice& device = devices[deviceIndex];
    CameraOpenResult opened = sources_.openCamera(device, width_, height_);
    switch (opened.status) {
        case CameraOpenStatus::kDeviceUnavailable:
            return CaptureStartResult::kDeviceMissing;
        case CameraOpenStatus::kStreamUnreadable:
            Tell("Failt to read the connected media type");
            return CaptureStartResult::kMediaTypeUnreadable;
        case CameraOpenStatus::kFormatUnsupported:
            captureFormatOk_ = false;
            return CaptureStartResult::kFormatUnsupported;
        case CameraOpenStatus::kOpenedWithoutFormatRequest:
            Tell("load config filter failed!");
            break;
        case CameraOpenStatus::kOpened:
            break;
    }
    const CaptureStartResult result = Run(std::move(opened.camera));
    if (result == CaptureStartResult::kRunning) device_ = device;
    return result;
}

CaptureStartResult CaptureGraph::Run(std::unique_ptr<CameraSource> camera) {
    camera_ = std::move(camera);
    try {
        thread_ = std::thread(&CaptureGraph::CaptureLoop, this);
    } catch (const std::system_error&) {
        camera_.reset();
        Tell("Couldn’t run the graph!");
        return CaptureStartResult::kNotRunning;
    }
    return CaptureStartResult::kRunning;
}

void CaptureGraph::Stop() {
    if (camera_) camera_->Interrupt();
    if (thread_.joinable()) thread_.join();
    camera_.reset();
    device_.reset();
}

std::optional<VideoDevice> CaptureGraph::currentDevice() const { return device_; }

void CaptureGraph::CaptureLoop() {
    std::vector<uint8_t> frame(static_cast<size_t>(width_) * height_ * 4);
    while (camera_->ReadFrame(frame.data())) sink_(frame.data(), frame.size());
}
