#pragma once
// The player objects of the editor, made in both modes: the main control, the play control with its
// controllers and profile subtitle sender (whose profile is the editor's document), and the
// listeners on the play control and the error control. In remote mode the program-wide core
// binding is the remote one, so every order reaches the running player.
#include <cstdint>
#include <memory>
#include <string_view>

namespace plat::display {
class DisplayModes;
}
class TMainControl;
class TPlayControl;
class TPlayerControllerFactory;
class TProfileSubtitles;
class TShared;

class TEditorPlayerObjects {
public:
    static constexpr uint32_t kListenerTag = 1;

    // Where the player's reports are shown.
    class IMessages {
    public:
        virtual ~IMessages() = default;
        // Errors of levels 0, 4 and 5.
        virtual void ShowError(std::u16string_view text) = 0;
        // Level 6: the wait form's info text.
        virtual void ShowWaitInfo(std::u16string_view text) = 0;
    };

    TEditorPlayerObjects(TShared& shared, IMessages& messages);
    ~TEditorPlayerObjects();
    TEditorPlayerObjects(const TEditorPlayerObjects&) = delete;
    TEditorPlayerObjects& operator=(const TEditorPlayerObjects&) = delete;

    // Makes the program-wide objects (with the remote binding unless the shared services are in
    // local mode), starts the main control and creates the player; the sender's automatic sending is
    // turned off. The shared services' video link is bound to the play control.
    void Create();
    // Local mode: hides the core's video window, frees the player and unloads the core. Remote mode
    // keeps the objects until the end.
    void Release();

    TPlayControl* PlayControl() const { return playControl_.get(); }
    TProfileSubtitles* Sender() const;

    // The listeners (standard signature, always 1).
    static uint8_t PlayerEventCallback(void* user, uint32_t tag, uint32_t event, intptr_t a, intptr_t b,
                                       intptr_t c);
    static uint8_t PlayerMessageCallback(void* user, uint32_t tag, uint32_t event, intptr_t a, intptr_t b,
                                         intptr_t c);

private:
    TShared& shared_;
    IMessages& messages_;
    std::unique_ptr<plat::display::DisplayModes> displayModes_;
    std::unique_ptr<TPlayerControllerFactory> factory_;
    std::unique_ptr<TMainControl> mainControl_;
    std::unique_ptr<TPlayControl> playControl_;
};
