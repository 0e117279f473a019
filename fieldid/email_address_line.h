// A line that is nothing but an e-mail address stays an e-mail line.
#pragma once

// Whether the text (blanks around it aside) is one e-mail address: user@host.tld with letters,
// digits, ".", "-" and "_" only, and a top label of 2 or more letters.
bool isEmailAddress(const char* text);

// A line made of one e-mail address (user@host.tld, no blanks) that lost its E-mail score to a
// title, company, department or name word found inside its host (s.bakker@vandijkarchitecten.nl
// holds ARCHITECT) scores E-mail with the winner's score, and those kinds become 0.
void FID_keep_email_address_lines();
