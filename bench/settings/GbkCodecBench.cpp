#include "settings/GbkCodec.h"

#include <benchmark/benchmark.h>

namespace {

// One chat line of Chinese text, as the control connection sends it.
const QString kChatLine = QStringLiteral("欢迎登录和交流!今天下午三点开会，请准时参加。") +
                          QStringLiteral("会议地点在三楼会议室。");

void BM_EncodeChatLine(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(GbkCodec::Encode(kChatLine));
}
BENCHMARK(BM_EncodeChatLine);

void BM_DecodeChatLine(benchmark::State& state) {
    const QByteArray gbk = GbkCodec::Encode(kChatLine);
    for (auto _ : state) benchmark::DoNotOptimize(GbkCodec::Decode(gbk));
}
BENCHMARK(BM_DecodeChatLine);

}  // namespace

BENCHMARK_MAIN();
