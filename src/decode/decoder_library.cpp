#include "decoder_library.h"

#include <libsigrokdecode/libsigrokdecode.h>
#include <signal.h>

#include <algorithm>
#include <memory>

#include "decoder_description.h"
#include "library_messages.h"

namespace kalvira::decode {

namespace {

// Starts the library; the reason when it cannot. Python takes over Ctrl+C as it starts, so the
// program's own handling of SIGINT is put back.
std::optional<std::string> startLibrary() {
    catchLibraryMessages();
    struct sigaction interrupt = {};
    ::sigaction(SIGINT, nullptr, &interrupt);
    const int started = srd_init(nullptr);
    ::sigaction(SIGINT, &interrupt, nullptr);
    if (started != SRD_OK) return libraryFailure("the decoder library does not start", started);
    return std::nullopt;
}

struct SessionEnd {
    void operator()(srd_session *session) const { srd_session_destroy(session); }
};
using Session = std::unique_ptr<srd_session, SessionEnd>;

struct TableEnd {
    void operator()(GHashTable *table) const { g_hash_table_unref(table); }
};
using Table = std::unique_ptr<GHashTable, TableEnd>;

Table variantTable() {
    return Table(g_hash_table_new_full(g_str_hash, g_str_equal, g_free,
                                       reinterpret_cast<GDestroyNotify>(g_variant_unref)));
}

GVariant *variantOf(const OptionValue &value) {
    if (const auto *whole = std::get_if<long long>(&value))
        return g_variant_ref_sink(g_variant_new_int64(*whole));
    if (const auto *real = std::get_if<double>(&value))
        return g_variant_ref_sink(g_variant_new_double(*real));
    return g_variant_ref_sink(g_variant_new_string(std::get<std::string>(value).c_str()));
}

// The annotations of one decode and what names their rows.
struct Collected {
    const DecoderInfo *decoder = nullptr;
    std::vector<Annotation> annotations;
};

bool namesProblem(const std::string &name) {
    return name.find("warn") != std::string::npos || name.find("err") != std::string::npos;
}

void collect(srd_proto_data *data, void *into) {
    auto &collected = *static_cast<Collected *>(into);
    if (!data || !data->data) return;
    const auto *annotation = static_cast<const srd_proto_data_annotation *>(data->data);
    const DecoderInfo &decoder = *collected.decoder;
    const int index = annotation->ann_class;
    const bool known = index >= 0 && std::size_t(index) < decoder.classes.size();
    const std::string className = known ? decoder.classes[std::size_t(index)] : std::string();
    std::string row = className.empty() ? "class " + std::to_string(index) : className;
    for (const auto &candidate : decoder.rows) {
        for (const int member : candidate.classes) {
            if (member == index) row = candidate.id;
        }
    }
    const char *const *texts = annotation->ann_text;
    collected.annotations.push_back({data->start_sample, data->end_sample, row,
                                     texts && texts[0] ? texts[0] : "",
                                     namesProblem(className) || namesProblem(row)});
}

}  // namespace

std::variant<DecoderLibrary *, std::string> DecoderLibrary::instance() {
    static const std::optional<std::string> failure = startLibrary();
    static DecoderLibrary library;
    if (failure) return *failure;
    return &library;
}

const std::vector<DecoderInfo> &DecoderLibrary::singleChannelDecoders() {
    if (all_) return *all_;
    srd_decoder_load_all();
    takeLibraryMessages();  // decoders that fail to load are left out, not reported one by one
    all_.emplace();
    for (const GSList *item = srd_decoder_list(); item; item = item->next) {
        const auto *decoder = static_cast<const srd_decoder *>(item->data);
        if (!decoder) continue;
        if (auto info = describeSingleChannel(*decoder)) all_->push_back(std::move(*info));
    }
    std::sort(all_->begin(), all_->end(),
              [](const DecoderInfo &a, const DecoderInfo &b) { return a.id < b.id; });
    return *all_;
}

std::optional<DecoderInfo> DecoderLibrary::singleChannelDecoder(const std::string &id) {
    const srd_decoder *decoder = srd_decoder_get_by_id(id.c_str());
    if (!decoder && srd_decoder_load(id.c_str()) == SRD_OK)
        decoder = srd_decoder_get_by_id(id.c_str());
    takeLibraryMessages();
    if (!decoder) return std::nullopt;
    return describeSingleChannel(*decoder);
}

std::variant<std::vector<Annotation>, std::string> DecoderLibrary::decode(
    const DecoderSetup &setup, std::span<const std::uint8_t> logic,
    std::uint64_t samplesPerSecond) {
    takeLibraryMessages();
    const auto decoder = singleChannelDecoder(setup.id);
    if (!decoder) return "no decoder of one channel named " + setup.id;
    Collected collected{&*decoder, {}};
    if (logic.empty()) return collected.annotations;
    srd_session *made = nullptr;
    if (const int error = srd_session_new(&made); error != SRD_OK)
        return libraryFailure("no decoding session", error);
    const Session session(made);
    const Table options = variantTable();
    for (const auto &[name, value] : setup.options)
        g_hash_table_insert(options.get(), g_strdup(name.c_str()), variantOf(value));
    srd_decoder_inst *instance = srd_inst_new(session.get(), setup.id.c_str(), options.get());
    if (!instance) return libraryFailure(setup.id + " refuses its options", SRD_ERR_ARG);
    const Table channels = variantTable();
    g_hash_table_insert(channels.get(), g_strdup(decoder->channel.c_str()),
                        g_variant_ref_sink(g_variant_new_int32(0)));
    int error = srd_inst_channel_set_all(instance, channels.get());
    if (error == SRD_OK)
        error = srd_pd_output_callback_add(session.get(), SRD_OUTPUT_ANN, collect, &collected);
    if (error == SRD_OK) {
        error = srd_session_metadata_set(session.get(), SRD_CONF_SAMPLERATE,
                                         g_variant_new_uint64(samplesPerSecond));
    }
    if (error == SRD_OK) error = srd_session_start(session.get());
    if (error != SRD_OK) return libraryFailure(setup.id + " does not start", error);
    error = srd_session_send(session.get(), 0, logic.size(), logic.data(), logic.size(), 1);
    if (error != SRD_OK) return libraryFailure(setup.id + " failed", error);
    return collected.annotations;
}

}  // namespace kalvira::decode
