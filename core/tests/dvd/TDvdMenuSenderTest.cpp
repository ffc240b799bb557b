// The DVD menu order as the player hub sends it reaches the core with the same menu ids: 2 the title
// menu, 3 the root menu. The hub's orders go straight to a core player that plays the test disc.
#include "core/include/VokradOrders.h"
#include "core/tests/engine/EnginePlayer.h"
#include "player/model/hub/TPlayControl.h"
#include "player/model/tests/PlayerTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const std::u16string kDiscGraph = u"<GRAPH version=\"1.0\">\r\n"
                                  u"<FILTER ID=\"DVD\" clsid=\"{9B8C4620-2C1A-11D0-8493-00A02438AD48}\"/>\r\n"
                                  u"<RENDER id=\"DVD\" pin=\"##1\"/>\r\n"
                                  u"<RENDER id=\"DVD\" pin=\"##0\"/>\r\n"
                                  u"</GRAPH>";

// A binding whose one instance is the test's core player.
class TPlayerBinding : public TSendToCore {
public:
    explicit TPlayerBinding(TCorePlayer& player) : player_(player) {}
    TCoreInstance* CreatePlayerInstance(plat::win::HWND) override {
        return reinterpret_cast<TCoreInstance*>(&player_); // opaque to the hub, never read through
    }
    int32_t FreePlayerInstance(TCoreInstance*, plat::win::HWND) override { return 0; }
    int32_t SendOrder(TCoreInstance*, plat::win::HWND, uint32_t order, void* record, void** out) override {
        return player_.SendOrder(order, record, out);
    }

private:
    TCorePlayer& player_;
};

TEST(TDvdMenuSenderTest, TheHubsMenuIdsOpenTheMenusTheCoreReadsThemAs) {
    EnginePlayer player;
    TPlayerGlobalsScope globals(std::make_unique<TPlayerBinding>(player.Player()));
    TPlayControl hub;
    ASSERT_EQ(hub.CreatePlayer(), 0);
    player.Describe(kDiscGraph, std::string(DVD_FIXTURES) + "/disc");
    ASSERT_EQ(hub.Play(), 0);
    TGraphEngine& engine = *player.Player().Engine();
    ASSERT_TRUE(EnginePlayer::PumpUntil([&] { return engine.IsInDvdMenu(); }));
    // The menu's buttons come with its first navigation packet, a little after the menu shows.
    ASSERT_TRUE(EnginePlayer::PumpUntil([&] { return hub.MenuButton(4) == 0; }));
    ASSERT_TRUE(EnginePlayer::PumpUntil([&] { return !engine.IsInDvdMenu(); }));

    EXPECT_EQ(hub.ShowMenu(3), -1) << "the disc has no root menu";
    EXPECT_FALSE(engine.IsInDvdMenu());
    EXPECT_EQ(hub.ShowMenu(2), 0);
    EXPECT_TRUE(EnginePlayer::PumpUntil([&] { return engine.IsInDvdMenu(); }));
    hub.DestroyPlayer();
}

} // namespace
