#include "platform/storage/CompoundFormat.h"

#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"

#include <gsf/gsf.h>

#include <memory>
#include <mutex>
#include <unordered_set>

namespace plat::storage {

namespace {

// libgsf's compound-file reader and writer are not safe to run on several threads at once (a
// writer made while another thread writes can fail), so every use of them takes this lock.
std::mutex& GsfLock() {
    static std::mutex lock;
    return lock;
}

struct GObjectUnref {
    void operator()(void* object) const { g_object_unref(object); }
};
template <class T> using GsfRef = std::unique_ptr<T, GObjectUnref>;

struct GErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};

// What is left of the bounds while one file is read.
struct Budget {
    std::size_t bytes = CompoundFormat::kMaxContentBytes;
    std::size_t elements = CompoundFormat::kMaxElements;
};

bool IsStorage(GsfInput* child) {
    return GSF_IS_INFILE(child) && gsf_infile_num_children(GSF_INFILE(child)) >= 0;
}

StorageError ReadStreamBytes(GsfInput* stream, Budget& budget, std::string& bytes) {
    const gsf_off_t size = gsf_input_size(stream);
    if (size < 0 || static_cast<std::uint64_t>(size) > budget.bytes) {
        return StorageError::TooLarge;
    }
    budget.bytes -= static_cast<std::size_t>(size);
    bytes.resize(static_cast<std::size_t>(size));
    if (size > 0 &&
        gsf_input_read(stream, bytes.size(), reinterpret_cast<guint8*>(bytes.data())) == nullptr) {
        return StorageError::NotCompound;
    }
    return StorageError::None;
}

StorageError ReadChildren(GsfInfile* storage, CompoundElement& into, int depth, Budget& budget) {
    if (depth > CompoundFormat::kMaxDepth) {
        return StorageError::TooLarge;
    }
    const int count = gsf_infile_num_children(storage);
    std::unordered_set<std::u16string> folded; // the names met so far, to find a repeated one
    for (int i = 0; i < count; ++i) {
        if (budget.elements == 0) {
            return StorageError::TooLarge;
        }
        --budget.elements;
        const char* name = gsf_infile_name_by_index(storage, i);
        const GsfRef<GsfInput> child(gsf_infile_child_by_index(storage, i));
        if (name == nullptr || !child) {
            return StorageError::NotCompound;
        }
        CompoundElement element;
        element.name = text::AnsiToWide(name);
        if (!folded.insert(text::FoldCase(element.name)).second) {
            return StorageError::NotCompound;
        }
        element.isStorage = IsStorage(child.get());
        StorageError error = StorageError::None;
        if (element.isStorage) {
            if (GSF_IS_INFILE_MSOLE(child.get())) {
                gsf_infile_msole_get_class_id(GSF_INFILE_MSOLE(child.get()), element.classId.data());
            }
            error = ReadChildren(GSF_INFILE(child.get()), element, depth + 1, budget);
        } else {
            error = ReadStreamBytes(child.get(), budget, element.bytes);
        }
        if (error != StorageError::None) {
            return error;
        }
        into.children.push_back(std::move(element));
    }
    return StorageError::None;
}

bool WriteChildren(GsfOutfile* storage, const CompoundElement& from) {
    for (const CompoundElement& element : from.children) {
        const std::string name = text::WideToAnsi(element.name);
        const GsfRef<GsfOutput> child(gsf_outfile_new_child(storage, name.c_str(), element.isStorage));
        if (!child) {
            return false;
        }
        bool written = false;
        if (element.isStorage) {
            written =
                gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(child.get()), element.classId.data()) &&
                WriteChildren(GSF_OUTFILE(child.get()), element);
        } else {
            written = gsf_output_write(child.get(), element.bytes.size(),
                                       reinterpret_cast<const guint8*>(element.bytes.data()));
        }
        if (!gsf_output_close(child.get()) || !written) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<CompoundElement> CompoundFormat::Read(std::string_view bytes, StorageError& error) {
    const std::lock_guard guard(GsfLock());
    const GsfRef<GsfInput> input(gsf_input_memory_new(reinterpret_cast<const guint8*>(bytes.data()),
                                                      static_cast<gsf_off_t>(bytes.size()), FALSE));
    GError* rawError = nullptr;
    const GsfRef<GsfInfile> file(input ? gsf_infile_msole_new(input.get(), &rawError) : nullptr);
    const std::unique_ptr<GError, GErrorFree> gsfError(rawError);
    if (!file) {
        error = StorageError::NotCompound;
        return std::nullopt;
    }
    CompoundElement root;
    root.isStorage = true;
    gsf_infile_msole_get_class_id(GSF_INFILE_MSOLE(file.get()), root.classId.data());
    Budget budget;
    error = ReadChildren(file.get(), root, 0, budget);
    if (error != StorageError::None) {
        return std::nullopt;
    }
    return root;
}

std::optional<std::string> CompoundFormat::Write(const CompoundElement& root) {
    const std::lock_guard guard(GsfLock());
    const GsfRef<GsfOutput> memory(gsf_output_memory_new());
    const GsfRef<GsfOutfile> file(gsf_outfile_msole_new(memory.get()));
    if (!file) {
        return std::nullopt;
    }
    const bool written = gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(file.get()), root.classId.data()) &&
                         WriteChildren(file.get(), root);
    // Closing the root storage writes its directory and closes the memory it writes to.
    if (!gsf_output_close(GSF_OUTPUT(file.get())) || !written) {
        return std::nullopt;
    }
    const guint8* data = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(memory.get()));
    const gsf_off_t size = gsf_output_size(memory.get());
    if (data == nullptr || size < 0) {
        return std::nullopt;
    }
    return std::string(reinterpret_cast<const char*>(data), static_cast<std::size_t>(size));
}

} // namespace plat::storage
