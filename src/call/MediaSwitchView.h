#pragma once

// What the media switches need from the window.
class MediaSwitchView {
public:
    virtual ~MediaSwitchView() = default;

    // The remote picture area shows its idle picture again.
    virtual void ShowRemoteIdlePicture() = 0;
    // Opens the full-picture meeting view and returns when it is closed.
    virtual void RunFullPictureView() = 0;
    virtual void SetMenuChecked(int commandId, bool checked) = 0;
};
