// The filters of a FILTERSLIST document as the core writes it: filters, pins and connections (with
// filters that share a class), the searches, and the property-page order.
#include "player/model/controllers/TFiltersInfo.h"
#include "player/model/tests/controllers/ControllerTestSupport.h"

#include <string>

namespace {

struct FilterPin {
    const char16_t* direction;
    const char16_t* name;
    const char16_t* peerPin; // none: not connected
    const char16_t* peerClass;
};

// One FILTER element laid out as the core's report lays it out.
std::u16string Filter(const char16_t* name, const char16_t* clsid, std::initializer_list<FilterPin> pins,
                      bool properties = false) {
    std::u16string text = u"    <FILTER>\n        <Name>" + std::u16string(name) +
                          u"</Name>\n        <CLSID>" + clsid + u"</CLSID>\n";
    if (properties) {
        text += u"        <HasProperties></HasProperties>\n";
    }
    text += u"        <PINS>\n";
    for (const FilterPin& pin : pins) {
        text += u"          <" + std::u16string(pin.direction) + u">\n<NAME>" + pin.name + u"</NAME>";
        if (pin.peerPin != nullptr) {
            text += u"            <CONNECTEDTO>\n              <PIN>" + std::u16string(pin.peerPin) +
                    u"</PIN>\n              <FILTERCLSID>" + pin.peerClass +
                    u"</FILTERCLSID>\n            </CONNECTEDTO>\n";
        }
        text += u"          </" + std::u16string(pin.direction) + u">\n";
    }
    return text + u"        </PINS>\n    </FILTER>\n";
}

std::u16string List(std::initializer_list<std::u16string> filters) {
    std::u16string text = u"<FILTERSLIST>\n";
    for (const std::u16string& f : filters) {
        text += f;
    }
    return text + u"</FILTERSLIST>\n";
}

const char16_t* const S = u"{S}";
const char16_t* const Q = u"{Q}";
const char16_t* const R = u"{R}";

class TFiltersInfoTest : public TControllerTest {
protected:
    TFiltersInfoTest() { filters_.AddListener(&events_, 1, &TEventRecorder::Callback); }
    const TFiltersEntry& Named(const char16_t* name) {
        const TFiltersEntry* filter = filters_.FindByName(name, false);
        EXPECT_NE(filter, nullptr) << plat::text::WideToAnsi(name);
        static const TFiltersEntry none;
        return filter != nullptr ? *filter : none;
    }

    TFiltersInfo filters_{hub_};
};

TEST_F(TFiltersInfoTest, ConnectionsFindTheirFilterWhenFiltersShareAClass) {
    // A source feeds two queues (one class), each queue feeds one of two renderers (another class).
    const std::u16string document = List({
        Filter(u"Source", S, {{u"OUTPUT", u"src_0", u"sink", Q}, {u"OUTPUT", u"src_1", u"sink", Q}}),
        Filter(u"Queue A", Q, {{u"INPUT", u"sink", u"src_1", S}, {u"OUTPUT", u"src", u"in", R}}),
        Filter(u"Queue B", Q, {{u"INPUT", u"sink", u"src_0", S}, {u"OUTPUT", u"src", u"sink", R}}),
        Filter(u"Render 1", R, {{u"INPUT", u"sink", u"src", Q}}, true),
        Filter(u"Render 2", R, {{u"INPUT", u"in", u"src", Q}}),
    });
    filters_.ParseFiltersXml(document.c_str());
    ASSERT_EQ(filters_.GetCount(), 5);
    const TFiltersEntry& source = Named(u"Source");
    const TFiltersEntry& queueA = Named(u"Queue A");
    const TFiltersEntry& queueB = Named(u"Queue B");
    const TFiltersEntry& render1 = Named(u"Render 1");
    const TFiltersEntry& render2 = Named(u"Render 2");
    EXPECT_EQ(source.Pins[0].ConnectedFilter, &queueB);
    EXPECT_EQ(source.Pins[1].ConnectedFilter, &queueA);
    EXPECT_EQ(queueA.Pins[0].ConnectedFilter, &source);
    EXPECT_EQ(queueB.Pins[0].ConnectedFilter, &source);
    EXPECT_EQ(queueA.Pins[1].ConnectedFilter, &render2);
    EXPECT_EQ(queueB.Pins[1].ConnectedFilter, &render1);
    EXPECT_EQ(render1.Pins[0].ConnectedFilter, &queueB);
    EXPECT_EQ(render2.Pins[0].ConnectedFilter, &queueA);
    EXPECT_TRUE(render1.HasPropertyPages);
    EXPECT_FALSE(render2.HasPropertyPages);
    EXPECT_EQ(source.Index, 1);
    EXPECT_EQ(render2.Index, 5);
}

TEST_F(TFiltersInfoTest, IdenticalChainsPairInDocumentOrderAndAnUnansweredLinkTakesTheFirstOfItsClass) {
    const std::u16string document = List({
        Filter(u"Left", S, {{u"OUTPUT", u"src", u"sink", Q}}),
        Filter(u"Right", S, {{u"OUTPUT", u"src", u"sink", Q}}),
        Filter(u"Sink 1", Q, {{u"INPUT", u"sink", u"src", S}}),
        Filter(u"Sink 2", Q, {{u"INPUT", u"sink", u"src", S}}),
        Filter(u"Lonely", R, {{u"INPUT", u"sink", u"nowhere", Q}}),
    });
    filters_.ParseFiltersXml(document.c_str());
    EXPECT_EQ(Named(u"Left").Pins[0].ConnectedFilter, &Named(u"Sink 1"));
    EXPECT_EQ(Named(u"Right").Pins[0].ConnectedFilter, &Named(u"Sink 2"));
    EXPECT_EQ(Named(u"Sink 2").Pins[0].ConnectedFilter, &Named(u"Right"));
    EXPECT_EQ(Named(u"Lonely").Pins[0].ConnectedFilter, &Named(u"Sink 1"));
}

TEST_F(TFiltersInfoTest, PinsAreReadOnlyFromAPinsElementWithTextAndANamedInputOrOutput) {
    const std::u16string document =
        u"<FILTERSLIST><FILTER><Name>One</Name><CLSID>{1}</CLSID><PINS/></FILTER>"
        u"<FILTER><NAME></NAME><PINS>\n<input><NAME>a</NAME></input><Output><NAME>b</NAME></Output>"
        u"<OTHER><NAME>c</NAME></OTHER><INPUT><NAME></NAME></INPUT><INPUT></INPUT>\n</PINS></FILTER>"
        u"<NOTAFILTER/></FILTERSLIST>";
    filters_.ParseFiltersXml(document.c_str());
    ASSERT_EQ(filters_.GetCount(), 2);
    const TFiltersEntry* one = filters_.GetFilter(0);
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->Name, u"One");
    EXPECT_EQ(one->Clsid, u"{1}");
    EXPECT_TRUE(one->Pins.empty()) << "a self-closing PINS has no text";
    const TFiltersEntry* two = filters_.GetFilter(1);
    ASSERT_NE(two, nullptr);
    EXPECT_FALSE(two->Name.has_value()) << "an empty name is none";
    EXPECT_FALSE(two->Clsid.has_value());
    ASSERT_EQ(two->Pins.size(), 2u);
    EXPECT_TRUE(two->Pins[0].Input);
    EXPECT_EQ(two->Pins[0].Name, u"a");
    EXPECT_FALSE(two->Pins[1].Input);
    EXPECT_EQ(two->Pins[1].Name, u"b");
    EXPECT_EQ(two->Pins[0].ConnectedFilter, nullptr);
    EXPECT_EQ(filters_.GetFilter(2), nullptr) << "an index equal to the count";
    EXPECT_EQ(filters_.GetFilter(-1), nullptr);
}

TEST_F(TFiltersInfoTest, AnotherDocumentLeavesNoFiltersAndStillTellsTheListeners) {
    filters_.ParseFiltersXml(List({Filter(u"Source", S, {})}).c_str());
    ASSERT_EQ(filters_.GetCount(), 1);
    events_.events.clear();
    for (const char16_t* other : {u"<GRAPHLOG><FILTER/></GRAPHLOG>", u"<FILTERSLIST/>", u"", u"not xml"}) {
        filters_.ParseFiltersXml(other);
        EXPECT_EQ(filters_.GetCount(), 0);
    }
    filters_.ParseFiltersXml(nullptr);
    EXPECT_EQ(events_.events, std::vector(5, Ev(kEventFilters)));
    filters_.Clear(true);
    EXPECT_EQ(events_.events.size(), 5u);
    filters_.Clear(false);
    EXPECT_EQ(events_.events.size(), 6u);
}

TEST_F(TFiltersInfoTest, SearchesByNameAndClass) {
    filters_.ParseFiltersXml(List({Filter(u"Video Renderer", S, {}), Filter(u"Audio Renderer", u"{q}", {}),
                                   Filter(u"Audio Decoder", Q, {})})
                                 .c_str());
    EXPECT_EQ(filters_.FindByName(u"audio", false), filters_.GetFilter(1)) << "the first, in any case";
    EXPECT_EQ(filters_.FindByName(u"RENDERER", false), nullptr) << "only the first letters";
    EXPECT_EQ(filters_.FindByName(u"RENDERER", true), filters_.GetFilter(0));
    EXPECT_EQ(filters_.FindByName(u"decoder", true), filters_.GetFilter(2));
    EXPECT_EQ(filters_.FindByName(u"", true), nullptr);
    EXPECT_EQ(filters_.FindByName(nullptr, false), nullptr);
    EXPECT_EQ(filters_.FindByClsid(u"{Q}"), filters_.GetFilter(1)) << "class texts in any case";
    EXPECT_EQ(filters_.FindByClsid(u"{Q"), nullptr);
    EXPECT_EQ(filters_.FindByClsid(nullptr), nullptr);
}

TEST_F(TFiltersInfoTest, PropertyPagesAreAskedOfTheCore) {
    EXPECT_EQ(filters_.ShowFilterProperties(42, 3), 0);
    EXPECT_EQ(OnlyOrder().record, Request(TOrderFilterProperties{{}, 42, 3}));
}

} // namespace
