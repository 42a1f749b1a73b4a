#include "app/TerminalMediaEngine.h"

#include <algorithm>

#include "audio/SpeechFormat.h"
#include "settings/Setting.h"
#include "settings/TerminalSettings.h"
#include "video/YuvToRgbTables.h"

namespace {

unsigned UsableSampleRate(int configuredHz) {
    // A rate that did not read as a number would make every device open
    // fail; the terminal's usual rate keeps speech working.
    constexpr unsigned kUsualRateHz = 8000;
    return configuredHz > 0 ? static_cast<unsigned>(configuredHz) : kUsualRateHz;
}

PlaySound1::Options PlaybackOptions(int configuredHz) {
    PlaySound1::Options options;
    options.sampleRateHz = UsableSampleRate(configuredHz);
    return options;
}

RecordSound::Options CaptureOptions(int configuredHz) {
    RecordSound::Options options;
    options.sampleRateHz = UsableSampleRate(configuredHz);
    return options;
}

}  // namespace

TerminalMediaEngine::TerminalMediaEngine(MediaState& media, MediaCounters& counters,
                                         MessageBoxes& boxes, TerminalSettings& settings,
                                         Outputs outputs, const std::string& applicationTitle)
    : settings_(settings),
      width_(settings.videoWidth),
      height_(settings.videoHeight),
      inset_(width_, height_),
      sessions_(media, counters),
      encoder_(counters),
      sendFrame_(std::make_unique<EncodedFrame>()),
      decoder_(boxes, counters),
      // The window plays the shutter sound with the snapshot command.
      snapshots_(boxes, media, counters, {}),
      display_(width_, height_, media, counters,
               RemoteDisplay::Hooks{
                   [this](uint8_t* picture, int w, int h) { inset_.DrawInset(picture, w, h); },
                   [this](std::span<const uint8_t> picture, int w, int h) {
                       snapshots_.WritePending(picture, w, h);
                   },
                   std::move(outputs.showRemote)}),
      pipeline_(width_, height_, FramePipeline::Shared{media, counters, caption_, inset_, boxes},
                FramePipeline::Hooks{
                    [this](const uint8_t* yuv, std::size_t bytes) { EncodeAndSend(yuv, bytes); },
                    std::move(outputs.showLocal)}),
      capture_(
          width_, height_,
          [this](const uint8_t* frame, std::size_t bytes) {
              pipeline_.ProcessCapturedFrame(frame, bytes);
          },
          boxes, applicationTitle),
      play_(boxes, counters, PlaybackOptions(settings.sampleRate)),
      record_(
          boxes, speech_,
          [this](const CodedBlock& block) {
              sessions_.SendAudioBlock(
                  std::span<const uint8_t, MediaSessions::kAudioBlockBytes>(block));
          },
          CaptureOptions(settings.sampleRate)) {
    YuvToRgbTables::Get();
    decoder_.SetPictureHandler(
        [this](std::span<const uint8_t> i420) { display_.ShowRemoteFrame(i420); });
    ApplySettings();
}

TerminalMediaEngine::~TerminalMediaEngine() {
    // The loops and the capture thread call into the coders and the display:
    // they end before any member goes away.
    capture_.Stop();
    sessions_.StopVideoReceiveLoop();
    sessions_.StopAudioReceiveLoop();
}

void TerminalMediaEngine::ApplySettings() {
    CaptionSettings caption;
    caption.captionOn = settings_.IsOn(Setting::PermitAdd);
    caption.timeOn = settings_.IsOn(Setting::IsAddDateTime);
    caption.transparentBackground = settings_.IsOn(Setting::BackgroundTrans);
    caption.text = settings_.captionText();
    caption.fontName = settings_.captionFontName();
    caption.fontsize = settings_.fontsize;
    caption.captionColour = settings_.captionColour;
    caption.captionPositionCode = settings_.captionPositionCode;
    caption_.Set(caption);
    inset_.SetPlacement(
        InsetPlacement{settings_.pipX, settings_.pipY, settings_.pipWidth, settings_.pipHeight});
    snapshots_.SetFolder(settings_.photoFolder().toStdString());
}

void TerminalMediaEngine::EncodeAndSend(const uint8_t* yuv420, std::size_t lengthBytes) {
    if (encoder_.Encode(std::span<const uint8_t>(yuv420, lengthBytes), *sendFrame_)) {
        sessions_.SendVideoFrame(*sendFrame_);
    }
}

void TerminalMediaEngine::UsePartnerAddress() {
    sessions_.SetPartnerAddress(settings_.partnerAddress().toStdString());
}

bool TerminalMediaEngine::StartCapture(int deviceIndex) {
    // A missing camera says nothing; only a picture format that cannot be
    // used is the caller's to report.
    capture_.Start(deviceIndex);
    return capture_.captureFormatOk();
}

void TerminalMediaEngine::StopCapture() { capture_.Stop(); }

void TerminalMediaEngine::OpenVideoSend() {
    UsePartnerAddress();
    sessions_.OpenVideoSend();
}

void TerminalMediaEngine::AddVideoDestination() { sessions_.AddVideoDestination(); }
void TerminalMediaEngine::CloseVideoSend() { sessions_.CloseVideoSend(); }
void TerminalMediaEngine::OpenEncoder() { encoder_.Open(width_, height_); }
void TerminalMediaEngine::CloseEncoder() { encoder_.Close(); }

void TerminalMediaEngine::OpenVideoReceive() {
    UsePartnerAddress();
    sessions_.OpenVideoReceive();
}

void TerminalMediaEngine::CloseVideoReceive() { sessions_.CloseVideoReceive(); }
void TerminalMediaEngine::OpenDecoder() { decoder_.Open(width_, height_); }
void TerminalMediaEngine::CloseDecoder() { decoder_.Close(); }

// The reassembler starts every frame empty and drops a partial one when its
// loop ends, so there is nothing left over to reset here.
void TerminalMediaEngine::ResetReceivedFrame() {}

void TerminalMediaEngine::StartVideoReceiveLoop() {
    sessions_.StartVideoReceiveLoop([this](const EncodedFrame& frame) { decoder_.Decode(frame); });
}

void TerminalMediaEngine::StopVideoReceiveLoop() { sessions_.StopVideoReceiveLoop(); }

void TerminalMediaEngine::OpenAudioSend() {
    UsePartnerAddress();
    sessions_.OpenAudioSend();
}

void TerminalMediaEngine::AddAudioDestination() { sessions_.AddAudioDestination(); }
void TerminalMediaEngine::CloseAudioSend() { sessions_.CloseAudioSend(); }
void TerminalMediaEngine::ResumeRecordThread() { record_.Resume(); }
void TerminalMediaEngine::PauseRecordThread() { record_.Pause(); }
void TerminalMediaEngine::PostRecordStart() { record_.PostStart(); }

void TerminalMediaEngine::OpenAudioReceive() {
    UsePartnerAddress();
    sessions_.OpenAudioReceive();
}

void TerminalMediaEngine::CloseAudioReceive() { sessions_.CloseAudioReceive(); }
void TerminalMediaEngine::PostPlayStart() { play_.Post(WM_PLAYSOUND_START); }
void TerminalMediaEngine::PostPlayStop() { play_.Post(WM_PLAYSOUND_STOP); }
void TerminalMediaEngine::PostPlayEnd() { play_.Post(WM_PLAYSOUND_END); }

void TerminalMediaEngine::StartAudioReceiveLoop() {
    sessions_.StartAudioReceiveLoop(
        [this](std::span<const uint8_t, MediaSessions::kAudioBlockBytes> payload) {
            CodedBlock block;
            std::copy(payload.begin(), payload.end(), block.begin());
            speech_.PlayReceivedAudio(block, play_);
        });
}

void TerminalMediaEngine::StopAudioReceiveLoop() { sessions_.StopAudioReceiveLoop(); }
