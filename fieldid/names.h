// Name lines: splitting off a title and splitting a name into its parts.
#pragma once

void FID_split_name_title();
void FID_split_name_parts();
int FID_separate_name_text(char* fullName, char* prefix, char* first, char* middle, char* last, char* suffix);

// 0 when the word (upper case) is no first name, 5 for a male and 6 for a female one; a later
// list that holds it decides.
int firstNameSex(const char* upperWord);
