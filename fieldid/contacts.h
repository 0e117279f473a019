// Telephone, fax, e-mail and web entries, and the final clean-up of every line.
#pragma once

void FID_find_numbers();
void FID_find_net_addresses();
void FID_clean_lines();

bool FID_is_phone_line(int line);
bool FID_is_fax_line(int line);
bool FID_is_net_line(int line);
