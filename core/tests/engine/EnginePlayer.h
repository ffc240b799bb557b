#pragma once
// A player of the real core for engine tests: fake renderers (no display, no sound card) or the
// program's own video renderer onto a video surface (with audio to a sink that only keeps time), its
// filter folder in a temporary directory, a client window that receives its notifications, orders sent
// as a host sends them, and waits that run the event loop until a notification arrives or time runs out.
#include "core/src/TCorePlayer.h"
#include "core/tests/ClientWindow.h"
#include "core/tests/ManualClocks.h"

#include <QTemporaryDir>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class EnginePlayer {
public:
    static constexpr std::chrono::milliseconds kWait{10000 * TOVRIN_TEST_SLOWDOWN}; // slower under sanitizers

    enum class Renderers { Fake, Surface };

    explicit EnginePlayer(Renderers renderers = Renderers::Fake);
    ~EnginePlayer();

    static std::string Fixture(const std::string& name);
    static std::u16string Wide(const std::string& text);

    int Send(std::uint32_t order, void* record = nullptr, void** out = nullptr);
    // Order 200 kind 1 with the text, then order 204 "FileName" when a file is given.
    void Describe(const std::u16string& xgr, const std::optional<std::string>& file = std::nullopt);
    bool SetVariable(const std::u16string& name, const std::u16string& value);
    std::uint32_t PlayState();
    std::u16string GraphLog();
    std::u16string FilterList();
    std::int32_t Volume(std::optional<std::int32_t> set);

    // Runs the event loop until done() holds; false when the time ran out.
    static bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = kWait);
    struct Status {
        std::uint32_t kind, value1, value2;
        bool operator==(const Status&) const = default;
    };
    // Status records with both values, received so far.
    std::vector<Status> StatusRecords() const;
    // Records of the kind (1225, 1629, 1634) received so far, byte for byte.
    std::vector<std::vector<std::byte>> RecordsOf(std::uint32_t kind) const;
    // Status records (kind, value1) and message texts received so far.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> Statuses() const;
    std::vector<std::string> Texts() const;
    bool HasStatus(std::uint32_t kind) const;
    // Posted messages of the code received so far.
    std::vector<ClientWindow::Posted> PostedOf(std::uint32_t msg) const;
    void Forget() {
        client_.records.clear();
        client_.posted.clear();
    }

    const std::string& Folder() const { return folderPath_; }
    // The surface the video is shown on; null with fake renderers.
    const std::shared_ptr<plat::video::VideoSurface>& Surface() const { return surface_; }
    TCorePlayer& Player() { return *player_; }
    ManualClocks& Clocks() { return *clocks_; }

private:
    QTemporaryDir folder_;
    std::string folderPath_;
    std::shared_ptr<ManualClocks> clocks_ = std::make_shared<ManualClocks>();
    std::shared_ptr<plat::video::VideoSurface> surface_;
    ClientWindow client_;
    std::unique_ptr<TCorePlayer> player_;
};
