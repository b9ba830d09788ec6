// SPDX-License-Identifier: GPL-3.0-or-later
// GLib's headers come first: they use names that Qt defines as macros.
#include <gio/gio.h>

#include "pointer_settings_gnome.h"

#include "pointer_steps.h"

#include <QDebug>

namespace {

constexpr char kSpeed[] = "speed";
constexpr char kDoubleClick[] = "double-click";

bool hasKey(GSettingsSchema *schema, const char *key, const GVariantType *type)
{
    if (!g_settings_schema_has_key(schema, key))
        return false;
    GSettingsSchemaKey *schemaKey = g_settings_schema_get_key(schema, key);
    const bool typed = g_variant_type_equal(g_settings_schema_key_get_value_type(schemaKey), type);
    g_settings_schema_key_unref(schemaKey);
    return typed;
}

bool inRange(GSettings *settings, const char *key, GVariant *value)
{
    GSettingsSchema *schema = nullptr;
    g_object_get(settings, "settings-schema", &schema, nullptr);
    GSettingsSchemaKey *schemaKey = g_settings_schema_get_key(schema, key);
    const bool ok = g_settings_schema_key_range_check(schemaKey, value);
    g_settings_schema_key_unref(schemaKey);
    g_settings_schema_unref(schema);
    return ok;
}

PointerSettings::Result stored(GSettings *settings, const char *key, GVariant *value)
{
    // Takes the floating reference of `value`.
    g_variant_ref_sink(value);
    PointerSettings::Result result = PointerSettings::Result::Failed;
    if (!g_settings_is_writable(settings, key))
        qDebug() << "GNOME setting" << key << "is locked";
    else if (!inRange(settings, key, value))
        qDebug() << "GNOME setting" << key << "refuses the value";
    else if (g_settings_set_value(settings, key, value))
        result = PointerSettings::Result::Applied;
    g_variant_unref(value);
    g_settings_sync();
    return result;
}

}  // namespace

std::unique_ptr<GnomePointerSettings> GnomePointerSettings::open(const char *schemaId)
{
    GSettingsSchemaSource *source = g_settings_schema_source_get_default();
    GSettingsSchema *schema = source ? g_settings_schema_source_lookup(source, schemaId, TRUE) : nullptr;
    if (!schema)
        return nullptr;
    const bool speed = hasKey(schema, kSpeed, G_VARIANT_TYPE_DOUBLE);
    const bool doubleClick = hasKey(schema, kDoubleClick, G_VARIANT_TYPE_INT32);
    GSettings *settings = g_settings_new_full(schema, nullptr, nullptr);
    g_settings_schema_unref(schema);
    return std::unique_ptr<GnomePointerSettings>(new GnomePointerSettings(settings, speed, doubleClick));
}

GnomePointerSettings::GnomePointerSettings(_GSettings *settings, bool hasSpeed, bool hasDoubleClick)
    : settings(settings)
    , hasSpeed(hasSpeed)
    , hasDoubleClick(hasDoubleClick)
{
}

GnomePointerSettings::~GnomePointerSettings()
{
    g_object_unref(settings);
}

PointerSettings::Result GnomePointerSettings::setPointerSpeed(uint speed)
{
    if (!hasSpeed)
        return Result::Unsupported;
    return stored(settings, kSpeed, g_variant_new_double(pointer::desktopSpeed(speed)));
}

PointerSettings::Result GnomePointerSettings::setDoubleClickTime(uint milliseconds)
{
    if (!hasDoubleClick || milliseconds > uint(G_MAXINT32))
        return hasDoubleClick ? Result::Failed : Result::Unsupported;
    return stored(settings, kDoubleClick, g_variant_new_int32(gint32(milliseconds)));
}

PointerSettings::Result GnomePointerSettings::setWheelScrollLines(uint)
{
    return Result::Unsupported;
}
