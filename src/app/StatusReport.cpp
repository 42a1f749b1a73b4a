#include "app/StatusReport.h"

#include "call/CallState.h"
#include "call/MediaCounters.h"
#include "call/MediaState.h"
#include "settings/SettingsStore.h"
#include "settings/TerminalSettings.h"

QJsonObject StatusReport::Call(const CallState& call, const MediaState& media) {
    return {
        {QStringLiteral("connected"), call.connected},
        {QStringLiteral("callerLinkOpen"), call.callerLinkOpen},
        {QStringLiteral("oneKeyOn"), media.oneKeyOn.load() != 0},
        {QStringLiteral("acceptedCallCount"), call.acceptedCallCount},
    };
}

QJsonObject StatusReport::Media(const MediaState& media) {
    return {
        {QStringLiteral("captureOff"), media.captureOff.load()},
        {QStringLiteral("videoSendOff"), media.videoSendOff.load()},
        {QStringLiteral("videoSendOpen"), media.videoSendOpen.load()},
        {QStringLiteral("sendGate"), media.sendGate.load()},
        {QStringLiteral("videoReceiveOff"), media.videoReceiveOff.load()},
        {QStringLiteral("videoReceiveStop"), media.videoReceiveStop.load()},
        {QStringLiteral("remoteVideoOpen"), media.remoteVideoOpen.load()},
        {QStringLiteral("fullPictureFlag"), media.fullPictureFlag.load()},
        {QStringLiteral("audioSendOff"), media.audioSendOff.load()},
        {QStringLiteral("audioSendOpen"), media.audioSendOpen.load()},
        {QStringLiteral("audioReceiveOff"), media.audioReceiveOff.load()},
        {QStringLiteral("audioReceiveOpen"), media.audioReceiveOpen.load()},
        {QStringLiteral("audioReceiveStop"), media.audioReceiveStop.load()},
        {QStringLiteral("desktopPlusVideo"), media.desktopPlusVideo.load()},
        {QStringLiteral("desktopOnly"), media.desktopOnly.load()},
        {QStringLiteral("oneKeyOn"), media.oneKeyOn.load()},
        {QStringLiteral("pipOn"), media.pipOn.load()},
        {QStringLiteral("recordingOn"), media.recordingOn.load()},
    };
}

QJsonObject StatusReport::Counters(const MediaCounters& counters) {
    const auto value = [](const std::atomic<uint64_t>& counter) {
        return static_cast<qint64>(counter.load());
    };
    return {
        {QStringLiteral("framesCaptured"), value(counters.framesCaptured)},
        {QStringLiteral("framesEncoded"), value(counters.framesEncoded)},
        {QStringLiteral("videoPacketsSent"), value(counters.videoPacketsSent)},
        {QStringLiteral("videoFramesReceived"), value(counters.videoFramesReceived)},
        {QStringLiteral("framesDecoded"), value(counters.framesDecoded)},
        {QStringLiteral("framesShown"), value(counters.framesShown)},
        {QStringLiteral("audioBlocksSent"), value(counters.audioBlocksSent)},
        {QStringLiteral("audioPacketsReceived"), value(counters.audioPacketsReceived)},
        {QStringLiteral("audioBlocksPlayed"), value(counters.audioBlocksPlayed)},
        {QStringLiteral("snapshotsWritten"), value(counters.snapshotsWritten)},
    };
}

QJsonObject StatusReport::Settings(const TerminalSettings& settings) {
    return {
        {QStringLiteral("partnerAddress"), settings.partnerAddress()},
        {QStringLiteral("servicePort"), SettingsStore::ToInt(settings.servicePort())},
        {QStringLiteral("contactName"), settings.contactName()},
        {QStringLiteral("localAddress"), settings.localAddress()},
        {QStringLiteral("videoWidth"), settings.videoWidth.load()},
        {QStringLiteral("videoHeight"), settings.videoHeight.load()},
        {QStringLiteral("screenWidth"), settings.screenWidth.load()},
        {QStringLiteral("screenHeight"), settings.screenHeight.load()},
        {QStringLiteral("captionColour"), static_cast<qint64>(settings.captionColour.load())},
        {QStringLiteral("captionPositionCode"), settings.captionPositionCode.load()},
        {QStringLiteral("captionFontName"), settings.captionFontName()},
        {QStringLiteral("pipX"), settings.pipX.load()},
        {QStringLiteral("pipY"), settings.pipY.load()},
        {QStringLiteral("pipWidth"), settings.pipWidth.load()},
        {QStringLiteral("pipHeight"), settings.pipHeight.load()},
        {QStringLiteral("deviceIndex"), settings.deviceIndex.load()},
        {QStringLiteral("sampleRate"), settings.sampleRate.load()},
    };
}

QJsonArray StatusReport::Messages(const std::vector<MessageLog::Entry>& entries) {
    QJsonArray messages;
    for (const MessageLog::Entry& entry : entries) {
        messages.append(QJsonObject{{QStringLiteral("caption"), entry.caption},
                                    {QStringLiteral("text"), entry.text},
                                    {QStringLiteral("answer"), entry.answer}});
    }
    return messages;
}
