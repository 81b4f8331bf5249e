#include "decoder_description.h"

#include <libsigrokdecode/libsigrokdecode.h>

namespace kalvira::decode {

namespace {

std::string text(const char *value) {
    return value ? value : "";
}

// A GVariant of the library's option types; none for a type no option of one channel uses.
std::optional<OptionValue> optionValue(GVariant *value) {
    if (!value) return std::nullopt;
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_INT64))
        return OptionValue(static_cast<long long>(g_variant_get_int64(value)));
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_DOUBLE))
        return OptionValue(g_variant_get_double(value));
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_STRING))
        return OptionValue(text(g_variant_get_string(value, nullptr)));
    return std::nullopt;
}

bool readsLogic(const srd_decoder &decoder) {
    for (const GSList *item = decoder.inputs; item; item = item->next) {
        if (text(static_cast<const char *>(item->data)) == "logic") return true;
    }
    return false;
}

std::vector<DecoderOption> options(const srd_decoder &decoder) {
    std::vector<DecoderOption> described;
    for (const GSList *item = decoder.options; item; item = item->next) {
        const auto *option = static_cast<const srd_decoder_option *>(item->data);
        const auto value = option ? optionValue(option->def) : std::nullopt;
        if (!value) continue;  // an option without a default of a known type keeps its default
        DecoderOption entry{text(option->id), text(option->desc), *value, {}};
        for (const GSList *v = option->values; v; v = v->next) {
            if (const auto allowed = optionValue(static_cast<GVariant *>(v->data)))
                entry.values.push_back(*allowed);
        }
        described.push_back(std::move(entry));
    }
    return described;
}

std::vector<std::string> classes(const srd_decoder &decoder) {
    std::vector<std::string> names;
    for (const GSList *item = decoder.annotations; item; item = item->next) {
        const auto *pair = static_cast<char *const *>(item->data);
        names.push_back(pair ? text(pair[0]) : std::string());
    }
    return names;
}

std::vector<AnnotationRow> rows(const srd_decoder &decoder) {
    std::vector<AnnotationRow> described;
    for (const GSList *item = decoder.annotation_rows; item; item = item->next) {
        const auto *row = static_cast<const srd_decoder_annotation_row *>(item->data);
        if (!row) continue;
        AnnotationRow entry{text(row->id), text(row->desc), {}};
        for (const GSList *c = row->ann_classes; c; c = c->next)
            entry.classes.push_back(GPOINTER_TO_INT(c->data));
        described.push_back(std::move(entry));
    }
    return described;
}

}  // namespace

std::optional<DecoderInfo> describeSingleChannel(const srd_decoder &decoder) {
    const GSList *required = decoder.channels;
    if (!readsLogic(decoder) || g_slist_length(decoder.channels) > 1) return std::nullopt;
    const GSList *first = required ? required : decoder.opt_channels;
    const auto *channel = first ? static_cast<const srd_channel *>(first->data) : nullptr;
    if (!channel || !channel->id) return std::nullopt;
    return DecoderInfo{text(decoder.id),   text(decoder.name), text(decoder.longname),
                       text(decoder.desc), text(channel->id),  options(decoder),
                       classes(decoder),   rows(decoder)};
}

}  // namespace kalvira::decode
