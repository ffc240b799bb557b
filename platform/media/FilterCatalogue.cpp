#include "platform/media/FilterCatalogue.h"

#include "platform/media/FilterCategories.h"
#include "platform/media/GstInit.h"
#include "platform/media/GstRef.h"

#include <algorithm>
#include <mutex>

namespace plat::media {

namespace {

// The namespace of our factory class ids.
constexpr Guid kFactoryNamespace({0x6b, 0x1e, 0x4c, 0x07, 0x2d, 0x5a, 0x4f, 0x3e, 0x9b, 0x8e, 0x31, 0x0c,
                                  0x52, 0xa4, 0x7d, 0x90});
constexpr const char* kOriginalRankKey = "plat-media-original-rank";
std::mutex rankMutex;

PinTemplateInfo TemplateInfo(const GstStaticPadTemplate* pad) {
    PinTemplateInfo info;
    info.name = pad->name_template;
    info.direction = pad->direction == GST_PAD_SRC ? PinDirection::Output : PinDirection::Input;
    info.presence = pad->presence == GST_PAD_ALWAYS      ? PinPresence::Always
                    : pad->presence == GST_PAD_SOMETIMES ? PinPresence::Sometimes
                                                         : PinPresence::Request;
    info.caps = pad->static_caps.string != nullptr ? pad->static_caps.string : "";
    return info;
}

// The rank the factory had before we changed it, kept on the factory itself so every catalogue of the
// process restores the same value.
unsigned OriginalRank(GstPluginFeature* feature) {
    const gpointer kept = g_object_get_data(G_OBJECT(feature), kOriginalRankKey);
    return kept != nullptr ? GPOINTER_TO_UINT(kept) - 1 : gst_plugin_feature_get_rank(feature);
}

void SetRank(GstPluginFeature* feature, unsigned rank) {
    if (g_object_get_data(G_OBJECT(feature), kOriginalRankKey) == nullptr) {
        g_object_set_data(G_OBJECT(feature), kOriginalRankKey,
                          GUINT_TO_POINTER(gst_plugin_feature_get_rank(feature) + 1));
    }
    gst_plugin_feature_set_rank(feature, rank);
}

// Every element factory, whatever its klass says.
GList* AllFactories() {
    return gst_registry_get_feature_list(gst_registry_get(), GST_TYPE_ELEMENT_FACTORY);
}

template <typename Key> const FilterInfo* FindBy(const std::vector<FilterInfo>& filters, Key key) {
    const auto it = std::find_if(filters.begin(), filters.end(), key);
    return it == filters.end() ? nullptr : &*it;
}

} // namespace

FilterCatalogue::FilterCatalogue(const MeritStore* store) : store_(store) {
    EnsureGstInitialized();
    Refresh();
}

void FilterCatalogue::Refresh() {
    ApplyMerits();
    ReadRegistry();
}

void FilterCatalogue::ApplyMerits() const {
    std::lock_guard lock(rankMutex);
    GList* factories = AllFactories();
    for (GList* item = factories; item != nullptr; item = item->next) {
        auto* feature = GST_PLUGIN_FEATURE(item->data);
        const auto merit =
            store_ != nullptr ? store_->Find(ClassIdForFactory(GST_OBJECT_NAME(feature))) : std::nullopt;
        const unsigned rank = merit ? MeritStore::RankForMerit(*merit) : OriginalRank(feature);
        if (rank != gst_plugin_feature_get_rank(feature)) {
            SetRank(feature, rank);
        }
    }
    gst_plugin_feature_list_free(factories);
}

void FilterCatalogue::ReadRegistry() {
    filters_.clear();
    GList* factories = AllFactories();
    for (GList* item = factories; item != nullptr; item = item->next) {
        auto* factory = GST_ELEMENT_FACTORY(item->data);
        FilterInfo info;
        info.factoryName = GST_OBJECT_NAME(factory);
        info.classId = ClassIdForFactory(info.factoryName);
        const char* longName = gst_element_factory_get_metadata(factory, GST_ELEMENT_METADATA_LONGNAME);
        info.friendlyName = longName != nullptr ? longName : info.factoryName;
        const char* klass = gst_element_factory_get_metadata(factory, GST_ELEMENT_METADATA_KLASS);
        info.category = FilterCategories::FromKlass(klass != nullptr ? klass : "");
        const auto stored = store_ != nullptr ? store_->Find(info.classId) : std::nullopt;
        info.merit = stored
                         ? *stored
                         : MeritStore::MeritForRank(gst_plugin_feature_get_rank(GST_PLUGIN_FEATURE(factory)));
        for (const GList* pad = gst_element_factory_get_static_pad_templates(factory); pad != nullptr;
             pad = pad->next) {
            info.pinTemplates.push_back(TemplateInfo(static_cast<const GstStaticPadTemplate*>(pad->data)));
        }
        filters_.push_back(std::move(info));
    }
    gst_plugin_feature_list_free(factories);
    std::sort(filters_.begin(), filters_.end(),
              [](const FilterInfo& a, const FilterInfo& b) { return a.factoryName < b.factoryName; });
}

const FilterInfo* FilterCatalogue::FindByClassId(const Guid& classId) const {
    return FindBy(filters_, [&](const FilterInfo& info) { return info.classId == classId; });
}

const FilterInfo* FilterCatalogue::FindByFactoryName(std::string_view factoryName) const {
    return FindBy(filters_, [&](const FilterInfo& info) { return info.factoryName == factoryName; });
}

const FilterInfo* FilterCatalogue::FindByDisplayName(std::string_view displayName) const {
    constexpr std::string_view prefix = "@device:sw:";
    constexpr std::size_t guidLength = 38;
    if (displayName.size() != prefix.size() + 2 * guidLength + 1 || !displayName.starts_with(prefix) ||
        displayName[prefix.size() + guidLength] != '\\') {
        return nullptr;
    }
    const auto category = Guid::Parse(displayName.substr(prefix.size(), guidLength));
    const auto id = Guid::Parse(displayName.substr(prefix.size() + guidLength + 1));
    const FilterInfo* info = id ? FindByClassId(*id) : nullptr;
    return info != nullptr && category && FilterCategories::Id(info->category) == *category ? info : nullptr;
}

FilterResolution FilterCatalogue::Resolve(const Guid& classId) const {
    if (const FilterInfo* info = FindByClassId(classId)) {
        return {FilterRole::Factory, info, nullptr};
    }
    const FilterAlias* alias = FilterAliases::Find(classId);
    if (alias == nullptr) {
        return {};
    }
    const FilterInfo* info =
        alias->role == FilterRole::Factory ? FindByFactoryName(alias->factoryName) : nullptr;
    const bool missingFactory = alias->role == FilterRole::Factory && info == nullptr;
    return {missingFactory ? FilterRole::NotAvailable : alias->role, info, alias};
}

Guid FilterCatalogue::ClassIdForFactory(std::string_view factoryName) {
    return Guid::FromName(kFactoryNamespace, factoryName);
}

std::string FilterCatalogue::DisplayName(const FilterInfo& info) {
    return "@device:sw:" + FilterCategories::Id(info.category).ToString() + "\\" + info.classId.ToString();
}

} // namespace plat::media
