#include "settings/SettingsStore.h"

#include "settings/TerminalSettings.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// The whole load re-reads the file for every key, as the profile calls do.
void BM_LoadAllFromAFullFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("system.ini"));
    TerminalSettings settings;
    SettingsStore store(settings, path, dir.path());
    for (int key = 0; key < static_cast<int>(kSettingCount); ++key)
        store.Write(static_cast<Setting>(key), store.DefaultOf(static_cast<Setting>(key)));
    for (auto _ : state) store.LoadAll(1920, 1080);
}
BENCHMARK(BM_LoadAllFromAFullFile);

void BM_WriteOneKey(benchmark::State& state) {
    QTemporaryDir dir;
    TerminalSettings settings;
    SettingsStore store(settings, dir.filePath(QStringLiteral("system.ini")), dir.path());
    int value = 0;
    for (auto _ : state) store.Write(Setting::VideoX, QString::number(value++));
}
BENCHMARK(BM_WriteOneKey);

}  // namespace

BENCHMARK_MAIN();
