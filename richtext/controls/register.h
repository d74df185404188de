#pragma once
// Makes the rich text controls known to stored layouts.

void RegisterRichTextClasses();
