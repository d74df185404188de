#include "richtext/dialogs/dialog_resources.h"

// Defined in the file that embeds the layouts (brevant_embed_resources).
void LinkResources_brevant_richtext();

void LinkRichDialogResources() {
  LinkResources_brevant_richtext();
}
