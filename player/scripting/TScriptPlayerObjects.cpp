#include "player/scripting/TScriptPlayerObjects.h"

#include "foundation/TMemoryObject.h"
#include "player/model/hub/TPlayControl.h"
#include "player/scripting/ScriptResult.h"
#include "player/scripting/TScriptObjectMembers.h"
#include "player/scripting/TScriptServices.h"

#include <optional>

namespace result = script_result;
using TKind = TScriptCall::TKind;

namespace {

// The mode scripts see for a video form in neither disc nor file mode, or without one.
constexpr int32_t kOtherMode = 99;

IVideoControl* VideoControl(const TScriptCall& call) {
    TPlayControl* hub = call.Services().Hub;
    return hub != nullptr ? hub->Controllers().Video.get() : nullptr;
}

IAudioInfo* AudioInfo(const TScriptCall& call) {
    TPlayControl* hub = call.Services().Hub;
    return hub != nullptr ? hub->Controllers().Audio.get() : nullptr;
}

IFiltersInfo* FiltersInfo(const TScriptCall& call) {
    TPlayControl* hub = call.Services().Hub;
    return hub != nullptr ? hub->Controllers().Filters.get() : nullptr;
}

int32_t DisplayMode(const TScriptCall& call) {
    IVideoControl* video = VideoControl(call);
    return video != nullptr ? video->GetDisplayMode() : -1;
}

bool FullScreen(const TScriptCall& call) {
    return DisplayMode(call) == static_cast<int32_t>(kDisplayModeFullScreen);
}

// Runs the action with the arguments read first: the member's result code.
template <class Action>
int32_t WithArguments(TScriptCall& call, std::initializer_list<TKind> kinds, Action action) {
    TScriptValues values;
    const int32_t read = call.Arguments(kinds, values);
    if (read == result::kOk) {
        action(values);
    }
    return read;
}

// The refresh and background redraw that follow a change of the video window.
void RedrawVideo(TScriptCall& call, IScriptMainWindow* main) {
    if (IVideoControl* video = VideoControl(call)) {
        video->Refresh(false);
    }
    if (main != nullptr) {
        main->UpdateVideoBackground(-1);
    }
}

int32_t VideoMode(const IScriptMainWindow* main) {
    const std::optional<uint8_t> mode = main != nullptr ? main->VideoMode() : std::nullopt;
    return mode && (*mode == IScriptMainWindow::kModeDisc || *mode == IScriptMainWindow::kModeFile)
               ? *mode
               : kOtherMode;
}

} // namespace

void TScriptPlayerObjects::ExecuteAction(IScriptMainWindow& main, const std::string& action) {
    const bool wasOn = main.DirectControl();
    main.SetDirectControl(true);
    main.ExecuteAction(action);
    if (!wasOn) {
        main.SetDirectControl(false);
    }
}

int32_t TScriptPlayerObjects::ScriptPlayState(uint32_t coreState) {
    switch (coreState) {
    case kPlayStateFirstPlay:
    case kPlayStatePlaying:
        return 3;
    case kPlayStatePaused:
        return 2;
    case kPlayStateStopped:
        return 1;
    case kPlayStateScanning:
        return 4;
    default:
        return 0;
    }
}

int32_t TScriptPlayerObjects::Video(TScriptCall& call) {
    IScriptMainWindow* main = call.Services().MainWindow;
    IVideoControl* video = VideoControl(call);
    if (call.Member(u"showcaption")) {
        return WithArguments(call, {TKind::kInt}, [&](const TScriptValues& v) {
            if (main != nullptr) {
                main->ShowVideoCaption(v[0].Int != 0);
            }
            RedrawVideo(call, main);
            if (main != nullptr) {
                main->ApplyVideoStayOnTop();
            }
        });
    }
    if (call.Member(u"showborder")) {
        return WithArguments(call, {TKind::kInt}, [&](const TScriptValues& v) {
            const bool wanted = v[0].Int != 0;
            if (main != nullptr && main->VideoHasSizingBorder() != wanted) {
                main->SetVideoSizingBorder(wanted);
            }
            RedrawVideo(call, main);
        });
    }
    if (call.Member(u"position")) {
        return WithArguments(call, {TKind::kInt, TKind::kInt}, [&](const TScriptValues& v) {
            if (main != nullptr) {
                TScriptRect bounds = main->VideoBounds();
                bounds.Left = v[0].Int;
                bounds.Top = v[1].Int;
                main->SetVideoBounds(bounds);
            }
        });
    }
    if (call.Member(u"size")) {
        return WithArguments(call, {TKind::kInt, TKind::kInt}, [&](const TScriptValues& v) {
            if (main != nullptr) {
                TScriptRect bounds = main->VideoBounds();
                bounds.Width = v[0].Int;
                bounds.Height = v[1].Int;
                main->SetVideoBounds(bounds);
            }
        });
    }
    if (call.Member(u"stayontop")) {
        return WithArguments(call, {TKind::kInt}, [&](const TScriptValues& v) {
            if (main != nullptr) {
                main->SetVideoStayOnTop(v[0].Int != 0);
                main->SetActionChecked("Ac_VideoOnTop", v[0].Int != 0);
                main->ApplyVideoStayOnTop();
            }
        });
    }
    if (call.Member(u"fullscreen")) {
        return WithArguments(call, {TKind::kInt}, [&](const TScriptValues& v) {
            if (main != nullptr) {
                main->SetScreenMode(v[0].Int != 0 ? 2 : 1);
            }
        });
    }
    if (call.Member(u"isfullscreen")) {
        return WithArguments(call, {}, [&](const auto&) { call.Yield(FullScreen(call) ? 1 : 0); });
    }
    if (call.Member(u"isvisible")) {
        return WithArguments(call, {}, [&](const auto&) {
            const bool visible = main != nullptr && (FullScreen(call) ? main->IsFullScreenWindowVisible()
                                                                      : main->IsVideoWindowVisible());
            call.Yield(visible ? 1 : 0);
        });
    }
    if (call.Member(u"show")) {
        return WithArguments(call, {}, [&](const auto&) {
            if (main != nullptr) {
                FullScreen(call) ? main->SetFullScreenWindowVisible(true) : main->SetVideoWindowVisible(true);
            }
            if (video != nullptr) {
                video->Show();
            }
        });
    }
    if (call.Member(u"hide")) {
        return WithArguments(call, {}, [&](const auto&) {
            if (video != nullptr) {
                video->Hide();
            }
            if (main != nullptr) {
                main->SetVideoWindowVisible(false);
                main->SetFullScreenWindowVisible(false);
            }
        });
    }
    return result::kUndefined;
}

int32_t TScriptPlayerObjects::Player(TScriptCall& call) {
    TPlayControl* hub = call.Services().Hub;
    const IScriptMainWindow* main = call.Services().MainWindow;
    std::optional<int32_t> number;
    if (call.Member(u"getstate")) {
        number = ScriptPlayState(hub != nullptr ? hub->GetPlayState() : 0);
    } else if (call.Member(u"getmode")) {
        number = VideoMode(main);
    } else if (call.Member(u"getactfile")) {
        return WithArguments(call, {}, [&](const auto&) {
            std::u16string name;
            if (VideoMode(main) != kOtherMode && hub != nullptr && hub->GetFileName(&name)) {
                call.Yield(name);
            }
        });
    } else if (call.Member(u"timecode")) {
        number = hub != nullptr ? hub->GetTimeCode() : 0;
    } else if (call.Member(u"duration")) {
        number = hub != nullptr ? hub->GetDuration() : 0;
    } else if (call.Member(u"chapter")) {
        number = hub != nullptr ? hub->GetChapter() : 0;
    } else if (call.Member(u"title")) {
        number = hub != nullptr ? hub->GetTitle() : 0;
    } else {
        return result::kUndefined;
    }
    return WithArguments(call, {}, [&](const auto&) { call.Yield(*number); });
}

int32_t TScriptPlayerObjects::Interface(TScriptCall& call) {
    IScriptMainWindow* main = call.Services().MainWindow;
    if (call.Member(u"hide")) {
        return WithArguments(call, {}, [&](const auto&) {
            if (main != nullptr) {
                main->HideInterface();
            }
        });
    }
    if (call.Member(u"show")) {
        return WithArguments(call, {}, [&](const auto&) {
            if (main != nullptr) {
                main->ShowInterface();
            }
        });
    }
    const bool contextMenu = call.Member(u"allowcontextmenu");
    if (!contextMenu && !call.Member(u"allowdirectcontrol")) {
        return result::kUndefined;
    }
    const int32_t read = WithArguments(call, {TKind::kInt}, [&](const TScriptValues& v) {
        if (main != nullptr) {
            contextMenu ? main->SetContextMenuAllowed(v[0].Int != 0) : main->SetDirectControl(v[0].Int != 0);
        }
    });
    return read == result::kWrongType ? result::kUndefined : read; // these two answer 17 for a text
}

int32_t TScriptPlayerObjects::Graph(TScriptCall& call) {
    TPlayControl* hub = call.Services().Hub;
    const IFiltersInfo* filters = FiltersInfo(call);
    TScriptValues values;
    if (call.Member(u"listfilters")) {
        return WithArguments(call, {}, [&](const auto&) {
            if (filters == nullptr) {
                return;
            }
            std::u16string list;
            for (int32_t i = 0; const TFiltersEntry* filter = filters->GetFilter(i); ++i) {
                list += filter->Name.value_or(u"") + u"\r\n";
            }
            call.Yield(list);
        });
    }
    const bool byName = call.ObjectMember(u"filterbyname");
    const bool byText = !byName && call.ObjectMember(u"filterbystr");
    if (byName || byText || call.ObjectMember(u"filterbyclsid")) {
        if (const int32_t read = call.Arguments({TKind::kText}, values); read != result::kOk) {
            return read;
        }
        if (filters == nullptr) {
            return result::kNoGraph;
        }
        const char16_t* wanted = values[0].Text.c_str();
        return TScriptObjectMembers::Filter(call, byName   ? filters->FindByName(wanted, false)
                                                  : byText ? filters->FindByName(wanted, true)
                                                           : filters->FindByClsid(wanted));
    }
    if (call.Member(u"log")) {
        if (const int32_t read = call.Arguments({}, values); read != result::kOk) {
            return read;
        }
        TMemoryObject log(1024);
        if (hub == nullptr || filters == nullptr || hub->GetGraphText(&log) != 0) {
            return result::kNoGraph;
        }
        const std::u16string_view stored(log.Text(), static_cast<size_t>(log.TextLength()));
        const std::u16string_view text = stored.substr(0, stored.find(u'\0'));
        if (text.empty()) {
            return result::kNoGraph;
        }
        call.Yield(text);
        return result::kOk;
    }
    return result::kUndefined;
}

int32_t TScriptPlayerObjects::Playlist(TScriptCall& call) {
    IScriptMainWindow* main = call.Services().MainWindow;
    IScriptPlayList* list = main != nullptr ? main->CurrentPlayList() : nullptr;
    IScriptPlaylistWindow* window = call.Services().PlaylistWindow;
    const auto text = [](const TScriptValues& v) { return v[0].Text.c_str(); };
    if (call.Member(u"add")) {
        return WithArguments(call, {TKind::kText}, [&](const auto& v) {
            if (window != nullptr) {
                window->AddFile(text(v));
            }
        });
    }
    if (call.Member(u"swap")) {
        return WithArguments(call, {TKind::kInt, TKind::kInt}, [&](const auto& v) {
            if (window != nullptr) {
                window->MoveItem(v[0].Int, v[1].Int);
            }
        });
    }
    if (call.Member(u"load")) {
        return WithArguments(call, {TKind::kText}, [&](const auto& v) {
            if (window != nullptr) {
                window->LoadList(text(v));
            }
        });
    }
    if (call.Member(u"save")) {
        return WithArguments(call, {TKind::kText}, [&](const auto& v) {
            if (window != nullptr) {
                window->SaveList(text(v));
            }
        });
    }
    if (call.Member(u"count")) {
        return WithArguments(call, {}, [&](const auto&) { call.Yield(list != nullptr ? list->Count() : 0); });
    }
    if (call.Member(u"clear")) {
        return WithArguments(call, {}, [&](const auto&) {
            if (list != nullptr) {
                list->DeleteAll();
            }
        });
    }
    if (call.Member(u"isfileinqueue")) {
        return WithArguments(call, {TKind::kText}, [&](const auto& v) {
            call.Yield(window != nullptr ? window->IndexOfFile(text(v)) : -1);
        });
    }
    if (call.Member(u"random")) {
        return WithArguments(call, {TKind::kInt}, [&](const auto& v) {
            if (list != nullptr) {
                list->SetShuffle(v[0].Int != 0);
            }
        });
    }
    if (call.Member(u"repeat")) {
        return WithArguments(call, {TKind::kInt}, [&](const auto& v) {
            if (list != nullptr) {
                list->SetRepeat(v[0].Int != 0);
            }
        });
    }
    if (call.Member(u"israndom")) {
        return WithArguments(call, {},
                             [&](const auto&) { call.Yield(list != nullptr && list->Shuffle() ? 1 : 0); });
    }
    if (call.Member(u"isrepeat")) {
        return WithArguments(call, {},
                             [&](const auto&) { call.Yield(list != nullptr && list->Repeat() ? 1 : 0); });
    }
    TScriptValues values;
    std::optional<TScriptPlaylistItem> item;
    if (call.ObjectMember(u"actitem")) {
        if (const int32_t read = call.Arguments({}, values); read != result::kOk) {
            return read;
        }
        item = list != nullptr && list->Current() >= 0 ? list->Item(list->Current()) : std::nullopt;
    } else if (call.ObjectMember(u"items")) {
        if (const int32_t read = call.Arguments({TKind::kInt}, values); read != result::kOk) {
            return read;
        }
        item = list != nullptr && values[0].Int >= 0 ? list->Item(values[0].Int) : std::nullopt;
    } else {
        return result::kUndefined;
    }
    return item ? TScriptObjectMembers::Item(call, *item) : result::kUndefined;
}

int32_t TScriptPlayerObjects::Volume(TScriptCall& call) {
    IScriptMainWindow* main = call.Services().MainWindow;
    IAudioInfo* audio = AudioInfo(call);
    const bool up = call.Member(u"up");
    if (up || call.Member(u"down")) {
        return WithArguments(call, {}, [&](const auto&) {
            if (main != nullptr) {
                ExecuteAction(*main, up ? "Ac_VolumeMore" : "Ac_VolumeLess");
            }
        });
    }
    if (call.Member(u"set")) {
        return WithArguments(call, {TKind::kInt}, [&](const auto& v) {
            if (audio != nullptr) {
                audio->SetVolume(v[0].Int, false);
            }
        });
    }
    if (call.Member(u"get")) {
        return WithArguments(call, {},
                             [&](const auto&) { call.Yield(audio != nullptr ? audio->GetVolume() : 0); });
    }
    if (call.Member(u"mute")) {
        return WithArguments(call, {TKind::kInt}, [&](const auto& v) {
            if (audio != nullptr) {
                audio->Mute(v[0].Int);
            }
        });
    }
    if (call.Member(u"ismuted")) {
        return WithArguments(call, {},
                             [&](const auto&) { call.Yield(audio != nullptr && audio->IsMuted() ? 1 : 0); });
    }
    return result::kUndefined;
}

int32_t TScriptPlayerObjects::Profile(TScriptCall& call) {
    IScriptMainWindow* main = call.Services().MainWindow;
    IScriptProfile* profile = main != nullptr ? main->Profile() : nullptr;
    TScriptValues values;
    if (call.Member(u"load")) {
        return WithArguments(call, {TKind::kText}, [&](const auto& v) {
            if (main != nullptr) {
                main->OpenFile(nullptr, v[0].Text.c_str(), true, -1, false);
            }
        });
    }
    if (call.Member(u"select")) {
        const int32_t read = WithArguments(call, {TKind::kInt, TKind::kInt}, [&](const auto& v) {
            if (profile != nullptr) {
                profile->SelectVolume(v[0].Int);
                profile->SelectLanguage(v[1].Int);
            }
        });
        return read == result::kWrongType ? result::kUndefined : read; // 17 for a text
    }
    if (call.ObjectMember(u"actvolume")) {
        if (const int32_t read = call.Arguments({}, values); read != result::kOk) {
            return read;
        }
        const std::optional<TScriptVolume> volume = profile != nullptr ? profile->Volume(-1) : std::nullopt;
        return volume ? TScriptObjectMembers::Volume(call, *volume) : result::kUndefined;
    }
    if (call.ObjectMember(u"actlanguage")) {
        if (const int32_t read = call.Arguments({}, values); read != result::kOk) {
            return read;
        }
        const std::optional<TScriptLanguage> language =
            profile != nullptr ? profile->CurrentLanguage() : std::nullopt;
        return language ? TScriptObjectMembers::Language(call, *language) : result::kUndefined;
    }
    if (call.Member(u"volumes.count")) {
        return WithArguments(
            call, {}, [&](const auto&) { call.Yield(profile != nullptr ? profile->VolumeCount() : 0); });
    }
    if (call.ObjectMember(u"volumes")) {
        if (const int32_t read = call.Arguments({TKind::kInt}, values); read != result::kOk) {
            return read;
        }
        const std::optional<TScriptVolume> volume =
            profile != nullptr && values[0].Int >= 0 ? profile->Volume(values[0].Int) : std::nullopt;
        return volume ? TScriptObjectMembers::Volume(call, *volume) : result::kUndefined;
    }
    return result::kUndefined;
}
