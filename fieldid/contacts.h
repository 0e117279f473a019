// Telephone, fax, e-mail and web entries, and the final clean-up of every line.
#pragma once

// Splits lines holding two numbers and tells the telephone kinds and fax kinds apart by label.
void FID_find_numbers();
// Mends misread at-signs and e-mail addresses broken over two lines; finds the online services.
void FID_find_net_addresses();
// Brings every line into the form handed out: labels cut, digits mended, numbers grouped.
void FID_clean_lines();

// Whether the line scores above 0 in a telephone kind (Extension not counted).
bool isPhoneLine(int line);
// Whether the line scores above 0 in Fax, Home Fax or Office Fax.
bool isFaxLine(int line);
// Whether the line scores above 0 in E-mail, Web Site or an online service.
bool isNetLine(int line);
