// Ids of the message catalogue (IDS_ABOUTBOX = 101, ...), generated from the same
// rows as the resource script's string tables.
#pragma once

enum MessageId : unsigned {
#define CATALOGUE_ENTRY(id, name, english, japanese) name = id,
#include "catalogue.inc"
#undef CATALOGUE_ENTRY
};
