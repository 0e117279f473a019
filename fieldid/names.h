// Name lines: splitting off a title and splitting a name into its parts.
#pragma once

// Cuts a title off a name line that holds both ("John Smith Sales Manager").
void FID_split_name_title();
// Splits the first name line into prefix, first, middle and last name and suffix.
void FID_split_name_parts();
// FID_separate_full_name once its pointers are checked and the state reset.
int separateNameText(char* fullName, char* prefix, char* first, char* middle, char* last, char* suffix);

// 0 when the word (upper case) is no first name, 5 for a male and 6 for a female one; a later
// list that holds it decides.
int firstNameSex(const char* upperWord);
