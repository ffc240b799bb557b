#include "player/ui/TVideoMenu2.h"

#include "platform/dvd/DvdAttributes.h"
#include "platform/text/CodePage.h"
#include "player/model/controllers/IAngleInfo.h"
#include "player/model/controllers/IFiltersInfo.h"
#include "player/model/controllers/ISubsInfo.h"
#include "player/model/controllers/TAudioInfo.h"
#include "player/model/events/PlayerEvents.h"
#include "player/model/hub/LanguageNames.h"
#include "player/model/profiles/TProfileSubtitles.h"
#include "player/model/storage/TBookmarkControl.h"
#include "player/ui/TVideoPopupMenu.h"
#include "player/ui/skin/buttons/DelayTimer.h"
#include "subtitles/menus/TNetMenuStyle.h"
#include "subtitles/profiles/TLanguage.h"
#include "subtitles/profiles/TVolume.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QMenu>
#include <QWidget>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <optional>
#include <tuple>

namespace {

constexpr const char* kUnknown = "Unknow";
// The radio groups of the stream, volume and language items.
enum RadioGroup { kAudioGroup = 1, kSubtitleGroup, kAngleGroup, kProfileVolumeGroup, kProfileLanguageGroup };
// The subtitle sub-menu's stream items follow "Show subtitle" and a separator.
constexpr int kFirstSubtitleItem = 2;

QString LanguageName(std::optional<uint32_t> lcid) {
    const std::u16string name = lcid ? EnglishLanguageName(*lcid) : std::u16string();
    return name.empty() ? QString::fromLatin1(kUnknown) : QString::fromStdU16String(name);
}

const char* AudioFormatName(uint32_t format) {
    static constexpr std::array<const char*, 8> kFormats = {"AC3",        "Mpeg-1", "Mpeg-1 Drc", "Mpeg-2",
                                                            "Mpeg-2 DRC", "LPCM",   "dts",        "SDDS"};
    return format < kFormats.size() ? kFormats[format] : kUnknown;
}

// "English  (format - nCh.)" of an audio stream record.
QString AudioCaption(const IAudioInfo& audio, int32_t index) {
    uint32_t format = static_cast<uint32_t>(plat::dvd::DvdAudioFormat::Other);
    int channels = 0;
    if (const auto* info = dynamic_cast<const TAudioInfo*>(&audio)) {
        if (const TAudioInfo::TAudioTrack* track = info->GetTrack(index)) {
            std::memcpy(&format, track->data() + offsetof(plat::dvd::DvdAudioAttributes, format),
                        sizeof(format));
            channels = (*track)[offsetof(plat::dvd::DvdAudioAttributes, channels)];
        }
    }
    return QStringLiteral("%1  (%2 - %3Ch.)")
        .arg(LanguageName(audio.GetTrackLanguage(index)).left(TVideoMenu2::kMaxLanguageName),
             QString::fromLatin1(AudioFormatName(format)))
        .arg(channels);
}

// An item bound to a command shows its enabled and checked state; a click runs it once the menu
// has closed.
void Bind(QAction* item, QAction* command) {
    const auto follow = [item, command] {
        item->setEnabled(command->isEnabled());
        item->setVisible(command->isVisible());
        item->setCheckable(command->isCheckable());
        item->setChecked(command->isChecked());
    };
    follow();
    QObject::connect(command, &QAction::changed, item, follow);
    QObject::connect(
        item, &QAction::triggered, command, [command] { command->trigger(); }, Qt::QueuedConnection);
}

} // namespace

TVideoMenu2::TVideoMenu2()
    : topStyle_(
          std::make_unique<TNetMenuStyle>(true, TVideoPopupMenu::kItemIndent, TVideoPopupMenu::kExtraWidth)),
      subStyle_(std::make_unique<TNetMenuStyle>()), timer_(DelayTimer::Create([this] { Rebuild(); })) {
    AddDefaultStrings();
}

TVideoMenu2::~TVideoMenu2() {
    DetachPlayer();
    ReleaseOwners();
}

void TVideoMenu2::AddDefaultStrings() {
    static constexpr std::pair<const char*, const char16_t*> kDefaults[] = {
        {"Me_Play", u"Play"},
        {"Me_Pause", u"Pause"},
        {"Me_Stop", u"Stop"},
        {"Me_FB", u"Fast Backward"},
        {"Me_FF", u"Fast Forward"},
        {"Me_PrevC", u"Previous Chapter"},
        {"Me_NextC", u"Next Chapter"},
        {"Me_Goto", u"Go to..."},
        {"Me_Chapters", u"Chapters..."},
        {"Me_Bookmarks", u"Bookmarks"},
        {"Me_AddBook", u"Add a bookmark here"},
        {"Me_ManBook", u"Manage bookmarks"},
        {"Me_Fullscreen", u"Switch Fullscreen"},
        {"Me_MeMenu", u"Menu..."},
        {"Me_MeTitle", u"Title"},
        {"Me_MeRoot", u"Root"},
        {"Me_MeSub", u"Subpictures"},
        {"Me_MeAudio", u"Audio"},
        {"Me_MeAngle", u"Angle"},
        {"Me_MeChapter", u"Chapter"},
        {"Me_Lang", u"Language..."},
        {"Me_Sub", u"Subtitle..."},
        {"Me_ShowSub", u"Show subtitle"},
        {"Me_Angle", u"Angle..."},
        {"Me_ProVol", u"Volume..."},
        {"Me_ProLang", u"Language..."},
        {"Me_ProShow", u"Show profile subtitle"},
        {"Me_Filters", u"Filters Configuration"},
        {"Me_Conf", u"Configuration"},
        {"Me_About", u"About..."},
        {"Me_Exit", u"Exit"},
    };
    for (const auto& [key, text] : kDefaults) {
        strings_.Add(key, text);
    }
}

TVideoMenu2::Table TVideoMenu2::TableOf(const QList<QAction*>& actions) {
    Table table;
    for (std::size_t i = 0; i < kActionNames.size(); ++i) {
        for (QAction* action : actions) {
            if (action->objectName() == QLatin1String(kActionNames[i])) {
                table.Actions[i] = action;
                break;
            }
        }
    }
    return table;
}

void TVideoMenu2::SetActions(const Table& table) {
    table_ = table;
}

void TVideoMenu2::Listen(bool on) {
    // Without a callback a source forgets the listener registered with this user data.
    const TPlayerEventCallback callback = on ? &TVideoMenu2::PlayerEventCallback : nullptr;
    const auto registration = [&](auto* source) {
        if (source != nullptr) {
            source->AddListener(this, kListenerTag, callback);
        }
    };
    registration(sources_.Bookmarks);
    registration(sources_.Audio);
    registration(sources_.Subs);
    registration(sources_.Angles);
    registration(sources_.Filters);
    registration(sources_.Profile);
}

void TVideoMenu2::AttachPlayer(const Sources& sources, bool editorLock) {
    DetachPlayer();
    sources_ = sources;
    editorLock_ = editorLock;
    Listen(true);
}

void TVideoMenu2::DetachPlayer() {
    Listen(false);
    sources_ = Sources{};
    // The items of the menu call into the sources: a click still queued goes with them.
    menu_.reset();
    subMenus_ = SubMenus{};
}

void TVideoMenu2::SetEditMode(bool editorLock) {
    editorLock_ = editorLock;
    RestartTimer();
}

void TVideoMenu2::SetAllowed(bool allowed) {
    allowed_ = allowed;
    RestartTimer();
}

void TVideoMenu2::AddOwnerForm(QWidget* form) {
    if (form == nullptr) {
        ReleaseOwners();
        return;
    }
    for (const QPointer<QWidget>& owner : owners_) {
        if (owner == form) {
            return;
        }
    }
    owners_.emplace_back(form);
    form->installEventFilter(this);
}

void TVideoMenu2::ReleaseOwners() {
    for (const QPointer<QWidget>& owner : owners_) {
        if (owner != nullptr) {
            owner->removeEventFilter(this);
        }
    }
    owners_.clear();
    timer_->Stop();
}

void TVideoMenu2::RestartTimer() {
    timer_->Stop();
    if (!owners_.empty()) {
        timer_->Start(kRebuildDelayMs);
    }
}

QMenu* TVideoMenu2::Menu() const {
    return menu_.get();
}

void TVideoMenu2::SetLogo(const QImage& logo) {
    logo_ = logo;
    if (menu_) {
        menu_->SetLogo(logo_);
    }
}

bool TVideoMenu2::eventFilter(QObject* /*watched*/, QEvent* event) {
    if (event->type() != QEvent::ContextMenu || !menu_) {
        return false;
    }
    menu_->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
    return true;
}

void TVideoMenu2::Rebuild() {
    timer_->Stop();
    if (building_) {
        return;
    }
    if (menu_ && menu_->isVisible()) {
        menu_->close();
    }
    menu_.reset();
    subMenus_ = SubMenus{};
    if (!allowed_ || std::none_of(owners_.begin(), owners_.end(), [](const auto& owner) { return owner; })) {
        return;
    }
    menu_ = std::make_unique<TVideoPopupMenu>(nullptr, kQuitTag);
    menu_->setObjectName("VideoMenu");
    menu_->setStyle(topStyle_.get());
    menu_->SetLogo(logo_);
    BuildItems();
}

QString TVideoMenu2::Caption(const char* key) const {
    return QString::fromStdU16String(strings_.GetText(key));
}

QAction* TVideoMenu2::AddItem(QMenu& menu, const char* name, const QString& caption) {
    QAction* item = menu.addAction(caption);
    item->setObjectName(QLatin1String(name));
    return item;
}

QAction* TVideoMenu2::AddCommandItem(QMenu& menu, const char* name, const char* key, Command command) {
    QAction* action = ActionOf(command);
    if (action == nullptr) {
        return nullptr;
    }
    QAction* item = AddItem(menu, name, Caption(key));
    Bind(item, action);
    return item;
}

void TVideoMenu2::AddSeparator(QMenu& menu, const char* name) {
    menu.addSeparator()->setObjectName(QLatin1String(name));
}

QMenu* TVideoMenu2::AddSubMenu(QMenu& menu, const char* name, const char* key, QAction* boundTo) {
    QMenu* sub = menu.addMenu(Caption(key));
    sub->setObjectName(QLatin1String(name));
    sub->menuAction()->setObjectName(QLatin1String(name));
    sub->setStyle(subStyle_.get());
    if (boundTo != nullptr) {
        QAction* entry = sub->menuAction();
        const auto follow = [entry, boundTo, sub] {
            entry->setEnabled(boundTo->isEnabled() && HasItems(*sub));
        };
        follow();
        QObject::connect(boundTo, &QAction::changed, entry, follow);
    }
    return sub;
}

bool TVideoMenu2::HasItems(const QMenu& menu) {
    const QList<QAction*> items = menu.actions();
    return std::any_of(items.begin(), items.end(), [](const QAction* item) { return !item->isSeparator(); });
}

// A sub-menu with nothing to choose is shown disabled, whatever its action allows.
void TVideoMenu2::DisableEmptySubMenus(QMenu& menu) {
    for (QAction* item : menu.actions()) {
        if (QMenu* sub = item->menu(); sub != nullptr && !HasItems(*sub)) {
            item->setEnabled(false);
        }
    }
}

QAction* TVideoMenu2::AddListItem(QMenu& menu, const QString& name, const QString& caption, int32_t tag,
                                  bool radio, ItemHandler click) {
    QAction* item = menu.addAction(caption);
    item->setObjectName(name);
    item->setData(tag);
    if (radio) {
        item->setCheckable(true);
        QActionGroup* group = menu.findChild<QActionGroup*>();
        if (group == nullptr) {
            group = new QActionGroup(&menu);
        }
        group->addAction(item);
    }
    if (click) {
        QObject::connect(
            item, &QAction::triggered, &menu, [click = std::move(click), tag] { click(tag); },
            Qt::QueuedConnection);
    }
    return item;
}

TVideoMenu2::ItemHandler TVideoMenu2::Handler(const ItemHandler& given, ItemHandler builtIn) const {
    return given ? given : std::move(builtIn);
}

void TVideoMenu2::BuildItems() {
    if (building_) {
        return;
    }
    building_ = true;
    QMenu& menu = *menu_;
    AddPlaybackItems(menu);
    AddBookmarkItems(menu);
    AddDiscMenuItems(menu);
    AddStreamItems(menu);
    AddSeparator(menu, "Me_Se4");
    if (!editorLock_) {
        AddProfileItems(menu);
    }
    AddFilterItems(menu);
    AddClosingItems(menu);
    DisableEmptySubMenus(menu);
    TickRemembered();
    building_ = false;
}

void TVideoMenu2::AddPlaybackItems(QMenu& menu) {
    AddCommandItem(menu, "Me_Play", "Me_Play", kPlay);
    AddCommandItem(menu, "Me_Pause", "Me_Pause", kPause);
    AddCommandItem(menu, "Me_Stop", "Me_Stop", kStop);
    AddSeparator(menu, "Me_Se1");
    AddCommandItem(menu, "Me_FastBackward", "Me_FB", kFastBack);
    AddCommandItem(menu, "Me_FastForward", "Me_FF", kFastForward);
    AddSeparator(menu, "Me_Se2");
    AddCommandItem(menu, "Me_PrevChapter", "Me_PrevC", kPrevChapter);
    AddCommandItem(menu, "Me_NextChapter", "Me_NextC", kNextChapter);
    AddSeparator(menu, "Me_Se3");
    AddCommandItem(menu, "Me_Chapters", "Me_Chapters", kChapters);
}

void TVideoMenu2::AddBookmarkItems(QMenu& menu) {
    if (ActionOf(kAddBookmark) == nullptr) {
        return;
    }
    QMenu* sub = AddSubMenu(menu, "Me_Bookmarks", "Me_Bookmarks", nullptr);
    subMenus_.Bookmarks = sub;
    AddCommandItem(*sub, "Me_AddBook", "Me_AddBook", kAddBookmark);
    AddCommandItem(*sub, "Me_ManBook", "Me_ManBook", kManageBookmark);
    AddSeparator(*sub, "Me_SetBooks");
    TBookmarkControl* bookmarks = sources_.Bookmarks;
    if (bookmarks == nullptr) {
        return;
    }
    const ItemHandler click =
        Handler(table_.Bookmark, [bookmarks](int32_t tag) { bookmarks->GoToBookmark(tag); });
    for (int32_t i = 0; i < bookmarks->Count(); ++i) {
        const TBookmarksEntry* entry = bookmarks->GetBookmark(i);
        AddListItem(*sub, QStringLiteral("Me_Book"), QString::fromUtf8(entry->Name), i, false, click);
    }
}

void TVideoMenu2::AddDiscMenuItems(QMenu& menu) {
    static constexpr std::array<std::tuple<const char*, const char*, Command>, 6> kDiscMenus = {{
        {"Me_MTitle", "Me_MeTitle", kMenuTitle},
        {"Me_MRoot", "Me_MeRoot", kMenuRoot},
        {"Me_MSub", "Me_MeSub", kMenuSubPic},
        {"Me_MAudio", "Me_MeAudio", kMenuAudio},
        {"Me_MAngle", "Me_MeAngle", kMenuAngle},
        {"Me_MChapter", "Me_MeChapter", kMenuChapter},
    }};
    const bool anyDiscMenu = std::any_of(kDiscMenus.begin(), kDiscMenus.end(), [this](const auto& entry) {
        return ActionOf(std::get<2>(entry)) != nullptr;
    });
    if (ActionOf(kSwitchFullScreen) == nullptr && !anyDiscMenu) {
        return;
    }
    AddSeparator(menu, "Me_Se4");
    AddCommandItem(menu, "Me_Fullscreen", "Me_Fullscreen", kSwitchFullScreen);
    QMenu* sub = AddSubMenu(menu, "Me_MenuMenu", "Me_MeMenu", nullptr);
    for (const auto& [name, key, command] : kDiscMenus) {
        AddCommandItem(*sub, name, key, command);
    }
}

void TVideoMenu2::AddStreamItems(QMenu& menu) {
    if (ActionOf(kMLang) == nullptr && ActionOf(kMSub) == nullptr && ActionOf(kHideSub) == nullptr) {
        return;
    }
    AddSeparator(menu, "Me_Se4");
    AddAudioItems(menu);
    AddSubtitleItems(menu);
    AddAngleItems(menu);
}

void TVideoMenu2::AddAudioItems(QMenu& menu) {
    QMenu* sub = AddSubMenu(menu, "Me_Lang", "Me_Lang", ActionOf(kMLang));
    subMenus_.Audio = sub;
    IAudioInfo* audio = sources_.Audio;
    if (audio == nullptr) {
        return;
    }
    const ItemHandler click = Handler(table_.Audio, [audio](int32_t tag) { audio->SelectStream(tag); });
    for (int32_t i = 0; i < audio->GetCount(); ++i) {
        AddListItem(*sub, QStringLiteral("Me_Audio"), AudioCaption(*audio, i), i, true, click);
    }
}

void TVideoMenu2::AddSubtitleItems(QMenu& menu) {
    QMenu* sub = AddSubMenu(menu, "Me_Subs", "Me_Sub", ActionOf(kMSub));
    subMenus_.Subtitles = sub;
    AddCommandItem(*sub, "Me_ShowSub", "Me_ShowSub", kHideSub);
    AddSeparator(*sub, "Me_SeSub");
    ISubsInfo* subs = sources_.Subs;
    if (subs == nullptr) {
        return;
    }
    const ItemHandler click = Handler(table_.Subtitle, [subs](int32_t tag) { subs->SelectStream(tag); });
    for (int32_t i = 0; i < subs->GetCount(); ++i) {
        AddListItem(*sub, QStringLiteral("Me_Subtitles"), LanguageName(subs->GetTrackLanguage(i)), i, true,
                    click);
    }
}

void TVideoMenu2::AddAngleItems(QMenu& menu) {
    QMenu* sub = AddSubMenu(menu, "Me_Lang", "Me_Angle", nullptr);
    subMenus_.Angles = sub;
    IAngleInfo* angles = sources_.Angles;
    const int32_t count = angles != nullptr ? angles->GetCount() : 0;
    sub->menuAction()->setEnabled(count > 0);
    if (count <= 0) {
        return;
    }
    const ItemHandler click = Handler(table_.Angle, [angles](int32_t tag) { angles->SelectAngle(tag); });
    for (int32_t i = 0; i < count; ++i) {
        AddListItem(*sub, QStringLiteral("Me_ChangeAng%1").arg(i), QStringLiteral("Angle %1").arg(i + 1), i,
                    true, click);
    }
}

void TVideoMenu2::AddProfileItems(QMenu& menu) {
    QMenu* volumes = AddSubMenu(menu, "Me_ProVol", "Me_ProVol", ActionOf(kMProVol));
    QMenu* languages = AddSubMenu(menu, "Me_ProLang", "Me_ProLang", ActionOf(kMProLang));
    subMenus_.ProfileVolumes = volumes;
    subMenus_.ProfileLanguages = languages;
    if (TProfileSubtitles* profile = sources_.Profile) {
        const ItemHandler selectVolume =
            Handler(table_.ProfileVolume, [profile](int32_t tag) { profile->SelectVolume(tag); });
        for (int32_t i = 0; i < profile->GetVolumeCount(); ++i) {
            AddListItem(*volumes, QStringLiteral("ProVol_%1").arg(i + 1),
                        QString::fromStdString(profile->GetVolume(i)->Name), i, true, selectVolume);
        }
        // Language items have no handler of their own: a click chooses the language.
        const ItemHandler selectLanguage =
            Handler(table_.ProfileLanguage, [profile](int32_t tag) { profile->SelectLanguage(tag); });
        for (int32_t i = 0; i < profile->GetLanguageCount(); ++i) {
            AddListItem(*languages, QStringLiteral("ProLan_%1").arg(i + 1),
                        QString::fromStdU16String(profile->GetLanguage(i)->Name), i, true, selectLanguage);
        }
    }
    AddCommandItem(menu, "Me_ShowProfSub", "Me_ProShow", kShowHideScriptSub);
    AddSeparator(menu, "Me_Se5");
}

void TVideoMenu2::AddFilterItems(QMenu& menu) {
    QMenu* sub = AddSubMenu(menu, "Me_Filters", "Me_Filters", nullptr);
    subMenus_.Filters = sub;
    IFiltersInfo* filters = sources_.Filters;
    const int32_t count = filters != nullptr ? filters->GetCount() : 0;
    sub->menuAction()->setEnabled(count > 0);
    const plat::win::HWND owner = sources_.MainWindow;
    for (int32_t i = 0; i < count; ++i) {
        const TFiltersEntry* filter = filters->GetFilter(i);
        const QString caption =
            filter != nullptr && filter->Name ? QString::fromStdU16String(*filter->Name) : QString();
        QAction* item =
            AddListItem(*sub, QStringLiteral("Me_Filters"), caption, i, false,
                        [filters, owner](int32_t tag) { filters->ShowFilterProperties(owner, tag + 1); });
        item->setEnabled(filter != nullptr && filter->HasPropertyPages);
    }
}

void TVideoMenu2::AddClosingItems(QMenu& menu) {
    AddCommandItem(menu, "Me_Config", "Me_Conf", kEnterConfig);
    AddCommandItem(menu, "Me_About", "Me_About", kAbout);
    AddSeparator(menu, "Me_Se6");
    if (QAction* quit = AddCommandItem(menu, "Me_Quit", "Me_Exit", kQuit)) {
        quit->setData(kQuitTag);
    }
}

void TVideoMenu2::Tick(QMenu* menu, int32_t index) {
    if (menu == nullptr || index < 0 || index >= menu->actions().size()) {
        return;
    }
    QAction* item = menu->actions()[index];
    if (item->isCheckable()) {
        item->setChecked(true);
    }
}

void TVideoMenu2::TickRemembered() {
    Tick(subMenus_.Audio, audioStream_);
    if (subtitleStream_ >= 0) {
        Tick(subMenus_.Subtitles, subtitleStream_ + kFirstSubtitleItem);
    }
    Tick(subMenus_.Angles, angle_);
    Tick(subMenus_.ProfileVolumes, profileVolume_);
    Tick(subMenus_.ProfileLanguages, profileLanguage_);
}

uint8_t TVideoMenu2::PlayerEventCallback(void* userData, uint32_t tag, uint32_t event, intptr_t a, intptr_t b,
                                         intptr_t /*c*/) {
    if (userData != nullptr && tag == kListenerTag) {
        static_cast<TVideoMenu2*>(userData)->OnPlayerEvent(event, a, b);
    }
    return 1;
}

void TVideoMenu2::OnPlayerEvent(uint32_t event, intptr_t a, intptr_t b) {
    const auto index = static_cast<int32_t>(a);
    switch (event) {
    case kEventAudioStream:
        audioStream_ = index;
        Tick(subMenus_.Audio, index);
        break;
    case kEventSubpictureStream:
        if (index >= 0) {
            subtitleStream_ = index;
            Tick(subMenus_.Subtitles, index + kFirstSubtitleItem);
        }
        subtitlesShown_ = b != 0;
        if (QAction* hideSub = ActionOf(kHideSub)) {
            hideSub->setCheckable(true);
            hideSub->setChecked(subtitlesShown_);
        }
        break;
    case kEventAngle:
        angle_ = index;
        Tick(subMenus_.Angles, index);
        break;
    case kEventProfileVolume:
        profileVolume_ = index;
        Tick(subMenus_.ProfileVolumes, index);
        break;
    case kEventProfileLanguage:
        profileLanguage_ = index;
        Tick(subMenus_.ProfileLanguages, index);
        break;
    case kEventAnglesCleared:
    case kEventProfileChanged:
    case kEventAudioStreams:
    case kEventSubpictureStreams:
    case kEventBookmarks:
    case kEventFilters:
        RestartTimer();
        break;
    case kEventProfileShown:
        if (QAction* shown = ActionOf(kShowHideScriptSub)) {
            shown->setCheckable(true);
            shown->setChecked(a != 0);
        }
        break;
    default:
        break;
    }
}
