#include "transport/MediaSessions.h"

#include <utility>

namespace {

constexpr double kVideoTimestampUnitSeconds = 1.0 / 90000;
constexpr double kAudioTimestampUnitSeconds = 1.0 / 8000;
constexpr std::size_t kVideoMaximumPacketBytes = 65535;
constexpr std::size_t kAudioMaximumPacketBytes = 1400;
constexpr int kVideoReceiveBufferBytes = 1048576;

}  // namespace

MediaSessions::MediaSessions(MediaState& state, MediaCounters& counters, MediaPorts ports)
    : state_(state), counters_(counters), ports_(ports) {}

MediaSessions::~MediaSessions() {
    // Loops first: they read the sessions.
    videoLoop_.Stop();
    audioLoop_.Stop();
}

void MediaSessions::SetPartnerAddress(std::string dotted) { partnerAddress_ = std::move(dotted); }

RtpSessionParams MediaSessions::VideoParams(uint16_t portBase) const {
    RtpSessionParams params;
    params.portBase = portBase;
    params.timestampUnitSeconds = kVideoTimestampUnitSeconds;
    params.acceptOwnPackets = true;
    params.maximumPacketBytes = kVideoMaximumPacketBytes;
    return params;
}

RtpSessionParams MediaSessions::AudioParams(uint16_t portBase) const {
    RtpSessionParams params;
    params.portBase = portBase;
    params.timestampUnitSeconds = kAudioTimestampUnitSeconds;
    params.acceptOwnPackets = false;
    params.maximumPacketBytes = kAudioMaximumPacketBytes;
    return params;
}

bool MediaSessions::OpenSession(SessionSlot& slot, RtpSessionParams params, bool needsPartner) {
    const std::optional<uint32_t> partner = UdpSocket::ParseIpv4(partnerAddress_);
    // Without a partner to send to there is no send session at all (rather
    // than one that broadcasts).
    if (needsPartner && !partner) return false;
    // A receive session without a valid partner accepts nothing.
    params.acceptedSenderAddress = partner ? *partner : 0xffffffffu;
    std::string error;
    return slot.Open(params, error);
}

bool MediaSessions::AddDestination(SessionSlot& slot, uint16_t partnerPort) {
    const std::optional<uint32_t> partner = UdpSocket::ParseIpv4(partnerAddress_);
    if (!partner) return false;
    std::string error;
    return slot.AddDestination(*partner, partnerPort, error);
}

bool MediaSessions::OpenVideoSend() {
    return OpenSession(videoSend_, VideoParams(ports_.videoSendBase), true);
}

bool MediaSessions::AddVideoDestination() {
    return AddDestination(videoSend_, ports_.videoReceiveBase);
}

bool MediaSessions::CloseVideoSend() {
    videoSend_.Close();
    return true;
}

bool MediaSessions::OpenVideoReceive() {
    RtpSessionParams params = VideoParams(ports_.videoReceiveBase);
    params.rtpReceiveBufferBytes = kVideoReceiveBufferBytes;
    return OpenSession(videoReceive_, params, false);
}

bool MediaSessions::CloseVideoReceive() {
    videoLoop_.Stop();
    videoReceive_.Close();
    return true;
}

bool MediaSessions::OpenAudioSend() {
    return OpenSession(audioSend_, AudioParams(ports_.audioSendBase), true);
}

bool MediaSessions::AddAudioDestination() {
    return AddDestination(audioSend_, ports_.audioReceiveBase);
}

bool MediaSessions::CloseAudioSend() {
    audioSend_.Close();
    return true;
}

bool MediaSessions::OpenAudioReceive() {
    return OpenSession(audioReceive_, AudioParams(ports_.audioReceiveBase), false);
}

bool MediaSessions::CloseAudioReceive() {
    audioLoop_.Stop();
    audioReceive_.Close();
    return true;
}

MediaSessions::DropCounts MediaSessions::GetDropCounts() {
    DropCounts counts;
    counts.videoFramesSkipped = videoFramesSkipped_;
    counts.videoFramesOversized = videoFramesOversized_;
    counts.audioPayloadsDropped = audioPayloadsDropped_;
    for (SessionSlot* slot : {&videoSend_, &videoReceive_, &audioSend_, &audioReceive_}) {
        slot->WithSession([&counts](RtpSession* session) {
            if (session)
                counts.foreignDatagramsDropped += session->GetCounters().foreignAddressDropped;
        });
    }
    return counts;
}
