// How a card's web and e-mail addresses spell its own lines: the firm in the domain, the person
// in the e-mail's user part.
#pragma once
#include <string>
#include <vector>

// Whether the domain word, or one of its hyphen-separated parts of 3 or more characters, is
// spelt from the line's first word on: leading parts of consecutive words (helios-solar,
// kessler-eng), the initials of three or more words (pvo), those initials followed by a short
// word of 2 to 4 letters (bhrlaw), or a line of one word that is the word itself.
bool domainSpellsLine(const char* domainWord, const char* line);
// Whether any of the domain words spells the line.
bool anyDomainSpellsLine(const std::vector<std::string>& domainWords, const char* line);
// Whether any of the domain words (4 or more characters) is a whole word of the line ("peeters"
// in "Drukkerij Peeters").
bool anyDomainIsWordOfLine(const std::vector<std::string>& domainWords, const char* line);

// Whether the user part of an e-mail address names the line as a person: the words of a run of
// two or more that ends with the line's last word, each given whole or by its initial, the last
// one whole, a middle initial perhaps left out, degrees of up to three letters perhaps behind
// (egarrity, p.dewit, hamish.mackenzie, jpark and p.vanderberg for "Pieter de Wit", "Hamish
// MacKenzie", "Jennifer L. Park, Esq." and "drs. Pieter van der Berg RA").
bool localPartNamesLine(const char* address, const char* line);
// Whether the user part of an e-mail address is one word (3 or more characters) of a line of two
// to four words: the first name alone ("aroha" for "Dr. Aroha Wilson").
bool localPartIsWordOfLine(const char* address, const char* line);
