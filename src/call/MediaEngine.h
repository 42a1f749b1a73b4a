#pragma once

// The media machinery that the switches drive: capture, the four RTP
// sessions, the coders, the receive loops and the two audio threads. The
// window wires the real subsystems behind it; tests record the calls.
class MediaEngine {
public:
    virtual ~MediaEngine() = default;

    // Local capture into the local picture area; false when it cannot start.
    virtual bool StartCapture(int deviceIndex) = 0;
    virtual void StopCapture() = 0;

    // Video sending: the session towards the partner and the encoder. The
    // close calls return only once no frame is being encoded or sent.
    virtual void OpenVideoSend() = 0;
    virtual void AddVideoDestination() = 0;
    virtual void CloseVideoSend() = 0;
    virtual void OpenEncoder() = 0;
    virtual void CloseEncoder() = 0;

    // Video receiving: the session, the decoder and the receive loop thread.
    virtual void OpenVideoReceive() = 0;
    virtual void CloseVideoReceive() = 0;
    virtual void OpenDecoder() = 0;
    virtual void CloseDecoder() = 0;
    virtual void ResetReceivedFrame() = 0;
    // At most one loop runs: starting a running loop does nothing.
    virtual void StartVideoReceiveLoop() = 0;
    // Stops the loop and joins its thread; nothing when none runs.
    virtual void StopVideoReceiveLoop() = 0;

    // Audio sending: the session and the capture thread.
    virtual void OpenAudioSend() = 0;
    virtual void AddAudioDestination() = 0;
    virtual void CloseAudioSend() = 0;
    virtual void ResumeRecordThread() = 0;
    // Returns once the capture thread rests between two of its messages.
    virtual void PauseRecordThread() = 0;
    virtual void PostRecordStart() = 0;

    // Audio receiving: the session, the playback thread and the loop thread.
    virtual void OpenAudioReceive() = 0;
    virtual void CloseAudioReceive() = 0;
    virtual void PostPlayStart() = 0;
    virtual void PostPlayStop() = 0;
    virtual void PostPlayEnd() = 0;
    // At most one loop runs: starting a running loop does nothing.
    virtual void StartAudioReceiveLoop() = 0;
    // Stops the loop and joins its thread; nothing when none runs.
    virtual void StopAudioReceiveLoop() = 0;
};
