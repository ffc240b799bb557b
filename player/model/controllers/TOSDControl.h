#pragma once
// The client side of the on-screen messages: every action the user should see confirmed shows a
// command ("Osd_Play", ...) whose texts the user's on-screen script lists; they go to the core's
// message queue together, between a freeze and an unfreeze. The controller also sets the core's
// on-screen variables the texts refer to, and passes the on-screen style.
#include "foundation/TXml.h"
#include "foundation/TvcParametersList.h"
#include "platform/text/Format.h"
#include "player/model/controllers/IOSDControl.h"
#include "player/model/hub/TPlayerObjects.h"

#include <string>

class TOSDControl : public TPlayerObjects, public IOSDControl {
public:
    // Texts of a variable set through SetVariableFormat are cut to this many characters.
    static constexpr std::size_t kMaxFormattedUnits = 1023;

    // Orders go through the hub. The default texts of the commands are set.
    explicit TOSDControl(TPlayerObjects& hub);

    bool LoadScript(const char16_t* path) override;
    // Sets "Command" to the command's default text ("-" without one), then sends the command's texts
    // when the script has the command.
    bool ShowCommand(const char16_t* name) override;
    void SetVariable(const char16_t* name, const char16_t* value) override;
    bool SetStyle(const TSubtitleStyleRecord* style, uint32_t defaultDuration, bool enabled) override;

    // One on-screen text (order 602); the core's answer.
    int32_t SendText(const char16_t* text, int32_t duration, int32_t layer);
    // Freezes and unfreezes the core's messages (orders 600 and 601).
    int32_t Begin() { return SendOrder(kOrderFreezeMessages, nullptr, nullptr); }
    int32_t End() { return SendOrder(kOrderUnfreezeMessages, nullptr, nullptr); }
    template <class... Args>
    void SetVariableFormat(const char16_t* name, plat::text::WFormatString<Args...> format,
                           const Args&... args) {
        std::u16string text = plat::text::Format(format, args...);
        text.resize(std::min(text.size(), kMaxFormattedUnits));
        SetVariable(name, text.c_str());
    }

    bool HasScript() const { return script_ != nullptr; }

private:
    TXml document_;
    TXmlNode* script_ = nullptr; // the OSDSCRIPT element of the document
    TvcParametersList defaults_;
};
