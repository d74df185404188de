#pragma once
// Makes the rich text controls and their paragraph and tab dialogs known to stored layouts.

void RegisterRichTextClasses();
