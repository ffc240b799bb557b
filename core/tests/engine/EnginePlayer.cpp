#include "core/tests/engine/EnginePlayer.h"

#include "core/include/VokradNotifications.h"
#include "core/include/VokradOrders.h"
#include "platform/testing/FakeRendererFactory.h"
#include "platform/text/CodePage.h"
#include "platform/video/SurfaceRendererFactory.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

std::uint32_t U32At(const std::vector<std::byte>& record, std::size_t offset) {
    std::uint32_t value = 0;
    if (offset + sizeof(value) <= record.size()) {
        std::memcpy(&value, record.data() + offset, sizeof(value));
    }
    return value;
}

std::u16string TakeText(void* block) {
    std::u16string text = block != nullptr ? std::u16string(static_cast<const char16_t*>(block)) : u"";
    std::free(block);
    return text;
}

} // namespace

EnginePlayer::EnginePlayer(Renderers renderers) : folderPath_(folder_.path().toStdString()) {
    player_ = std::make_unique<TCorePlayer>(nullptr, clocks_);
    TEngineSetup setup;
    if (renderers == Renderers::Surface) {
        surface_ = std::make_shared<plat::video::VideoSurface>();
        setup.videoSurface = surface_;
        setup.renderers = std::make_shared<plat::video::SurfaceRendererFactory>(
            surface_, plat::video::SurfaceRendererFactory::AudioOutput::Fake);
    } else {
        setup.renderers = std::make_shared<plat::media::FakeRendererFactory>();
    }
    setup.filterFolder = folderPath_;
    player_->SetEngineSetup(std::move(setup));
    player_->PlayStart();
    player_->RegisterClient(client_.hwnd(), client_.hwnd(), kHostClientMask);
}

EnginePlayer::~EnginePlayer() {
    player_->Close();
}

std::string EnginePlayer::Fixture(const std::string& name) {
    return std::string(MEDIA_FIXTURES) + "/" + name;
}

std::u16string EnginePlayer::Wide(const std::string& text) {
    return plat::text::AnsiToWide(text);
}

int EnginePlayer::Send(std::uint32_t order, void* record, void** out) {
    return player_->SendOrder(order, record, out);
}

void EnginePlayer::Describe(const std::u16string& xgr, const std::optional<std::string>& file) {
    TOrderGraphDescription description{{0, sizeof(TOrderGraphDescription)}, 1, xgr.c_str()};
    Send(kOrderGraphDescription, &description);
    if (file) {
        SetVariable(u"FileName", Wide(*file));
    }
}

bool EnginePlayer::SetVariable(const std::u16string& name, const std::u16string& value) {
    TOrderGraphVariable variable{};
    variable.head = {0, sizeof(TOrderGraphVariable)};
    std::memcpy(variable.name, name.c_str(), std::min(name.size(), kGraphVariableNameUnits - 1) * 2);
    std::memcpy(variable.value, value.c_str(), std::min(value.size(), kGraphVariableValueUnits - 1) * 2);
    return Send(kOrderGraphVariable, &variable) == 0;
}

std::uint32_t EnginePlayer::PlayState() {
    TOrderPlayState state{{0, sizeof(TOrderPlayState)}, 0xFFFF};
    Send(kOrderPlayState, &state);
    return state.state;
}

std::u16string EnginePlayer::GraphLog() {
    void* out = nullptr;
    return Send(kOrderGraphLog, nullptr, &out) == 0 ? TakeText(out) : u"";
}

std::u16string EnginePlayer::FilterList() {
    void* out = nullptr;
    return Send(kOrderFilterList, nullptr, &out) == 0 ? TakeText(out) : u"";
}

std::int32_t EnginePlayer::Volume(std::optional<std::int32_t> set) {
    TOrderVolume volume{
        {0, sizeof(TOrderVolume)}, set.value_or(0), static_cast<std::uint8_t>(set ? 1 : 0), {}};
    Send(kOrderVolume, &volume);
    return volume.volume;
}

bool EnginePlayer::PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const QDeadlineTimer deadline(limit.count());
    QTimer wake; // ends the last wait at the deadline; a timer that fired early is started again
    wake.setTimerType(Qt::PreciseTimer);
    wake.setSingleShot(true);
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        if (!wake.isActive()) {
            wake.start(static_cast<int>(std::max<qint64>(deadline.remainingTime(), 1)));
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

std::vector<std::vector<std::byte>> EnginePlayer::RecordsOf(std::uint32_t kind) const {
    std::vector<std::vector<std::byte>> records;
    for (const auto& record : client_.records) {
        if (U32At(record, 8) == kind) {
            records.push_back(record);
        }
    }
    return records;
}

std::vector<EnginePlayer::Status> EnginePlayer::StatusRecords() const {
    std::vector<Status> statuses;
    for (const auto& record : RecordsOf(kCoreMessageStatus)) {
        statuses.push_back({U32At(record, 16), U32At(record, 20), U32At(record, 24)});
    }
    return statuses;
}

std::vector<std::pair<std::uint32_t, std::uint32_t>> EnginePlayer::Statuses() const {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> statuses;
    for (const Status& status : StatusRecords()) {
        statuses.emplace_back(status.kind, status.value1);
    }
    return statuses;
}

std::vector<std::string> EnginePlayer::Texts() const {
    std::vector<std::string> texts;
    for (const auto& record : client_.records) {
        if (U32At(record, 8) == kCoreMessageText && record.size() > 21) {
            texts.emplace_back(reinterpret_cast<const char*>(record.data() + 21));
        }
    }
    return texts;
}

bool EnginePlayer::HasStatus(std::uint32_t kind) const {
    for (const auto& [status, value] : Statuses()) {
        if (status == kind) {
            return true;
        }
    }
    return false;
}

std::vector<ClientWindow::Posted> EnginePlayer::PostedOf(std::uint32_t msg) const {
    std::vector<ClientWindow::Posted> posted;
    for (const ClientWindow::Posted& message : client_.posted) {
        if (message.msg == msg) {
            posted.push_back(message);
        }
    }
    return posted;
}
