// Name lines: splitting off a title and splitting a name into its parts.
#pragma once

void FID_split_name_title();
void FID_split_name_parts();
int FID_separate_name_text(char* fullName, char* prefix, char* first, char* middle, char* last, char* suffix);
