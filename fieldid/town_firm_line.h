// A firm named after a town ("Maple Grove Pediatrics", "Apex Orthopedics") taken for a second
// address.
#pragma once

// A line without digits that won an address with a city found at its start and words behind it,
// while another line with digits holds an address record of its own, is the firm's name: its address
// records are freed, its address kinds become 0 and it scores Company with the address score it
// had. Another line that had won the company right below the name, on a card without a title,
// then scores Title instead. Runs after the winners are picked, before any line is joined.
void FID_firm_named_after_its_town();
