#pragma once

#include <QImage>

#include <functional>
#include <memory>
#include <string>

#include "audio/PlaySound1.h"
#include "audio/RecordSound.h"
#include "audio/SpeechBlocks.h"
#include "call/MediaCounters.h"
#include "call/MediaEngine.h"
#include "call/MediaState.h"
#include "record/SnapshotWriter.h"
#include "transport/EncodedFrame.h"
#include "transport/MediaSessions.h"
#include "video/CaptionConfig.h"
#include "video/CaptureGraph.h"
#include "video/FramePipeline.h"
#include "video/PictureInPicture.h"
#include "video/RemoteDisplay.h"
#include "video/VideoDecoder.h"
#include "video/VideoEncoder.h"

class MessageBoxes;
class TerminalSettings;

// The real media machinery behind the switches: capture and the frame
// pipeline, the coders, the four RTP sessions with their loops, the remote
// display with snapshots, and the speech threads. Pictures leave through the
// two outputs, which must only queue them to the window's thread.
class TerminalMediaEngine : public MediaEngine {
public:
    struct Outputs {
        // The captioned local picture, from the capture thread.
        std::function<void(const QImage&)> showLocal;
        // A decoded remote picture and where it goes, from the receive thread.
        std::function<void(const QImage&, DisplayTarget)> showRemote;
    };

    TerminalMediaEngine(MediaState& media, MediaCounters& counters, MessageBoxes& boxes,
                        TerminalSettings& settings, Outputs outputs,
                        const std::string& applicationTitle);
    ~TerminalMediaEngine() override;
    TerminalMediaEngine(const TerminalMediaEngine&) = delete;
    TerminalMediaEngine& operator=(const TerminalMediaEngine&) = delete;

    // Caption, inset placement and snapshot folder as the settings hold them
    // now; called at start and whenever a dialog changes them.
    void ApplySettings();

    bool StartCapture(int deviceIndex) override;
    void StopCapture() override;
    void OpenVideoSend() override;
    void AddVideoDestination() override;
    void CloseVideoSend() override;
    void OpenEncoder() override;
    void CloseEncoder() override;
    void OpenVideoReceive() override;
    void CloseVideoReceive() override;
    void OpenDecoder() override;
    void CloseDecoder() override;
    void ResetReceivedFrame() override;
    void StartVideoReceiveLoop() override;
    void StopVideoReceiveLoop() override;
    void OpenAudioSend() override;
    void AddAudioDestination() override;
    void CloseAudioSend() override;
    void ResumeRecordThread() override;
    void PauseRecordThread() override;
    void PostRecordStart() override;
    void OpenAudioReceive() override;
    void CloseAudioReceive() override;
    void PostPlayStart() override;
    void PostPlayStop() override;
    void PostPlayEnd() override;
    void StartAudioReceiveLoop() override;
    void StopAudioReceiveLoop() override;

    CaptureGraph& Capture() { return capture_; }
    SnapshotWriter& Snapshots() { return snapshots_; }

private:
    void EncodeAndSend(const uint8_t* yuv420, std::size_t lengthBytes);
    void UsePartnerAddress();

    TerminalSettings& settings_;
    const int width_;
    const int height_;
    // Members are destroyed bottom-up: every thread-owning member sits below
    // what its thread uses.
    CaptionConfig caption_;
    PictureInPicture inset_;
    MediaSessions sessions_;
    VideoEncoder encoder_;
    // Used by the capture thread only.
    std::unique_ptr<EncodedFrame> sendFrame_;
    VideoDecoder decoder_;
    SnapshotWriter snapshots_;
    RemoteDisplay display_;
    FramePipeline pipeline_;
    CaptureGraph capture_;
    SpeechBlocks speech_;
    PlaySound1 play_;
    RecordSound record_;
};
