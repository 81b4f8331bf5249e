<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="hu_HU" sourcelanguage="en_US">
<context>
    <name>kalvira</name>
    <message>
        <location filename="../src/ui/window_arguments.cpp" line="+19"/>
        <source>--remote must be PORT or ADDRESS:PORT, port 0..65535</source>
        <translation>a --remote értéke PORT vagy CÍM:PORT lehet, a port 0..65535</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>unknown option %1</source>
        <translation>ismeretlen kapcsoló: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>one record file at a time</source>
        <translation>egyszerre egy felvételfájl nyitható meg</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>anyone who can reach %1 can drive the unit</source>
        <translation>aki eléri a(z) %1 címet, vezérelheti az egységet</translation>
    </message>
</context>
<context>
    <name>kalvira-capture</name>
    <message>
        <location filename="../src/capture/capture_options.cpp" line="+121"/>
        <source>Try &apos;kalvira-capture --help&apos;.</source>
        <translation>További információ: „kalvira-capture --help”.</translation>
    </message>
    <message>
        <location line="-89"/>
        <source>Takes records from the KALVIRA acquisition unit, as the window&apos;s START does, and writes
them as a record file (CSV with `# key=value` settings lines).

Exit status: 0 every record arrived, 1 the link failed (the unit&apos;s message on stderr),
2 usage error, 130 interrupted (Ctrl+C; the complete records are still written).</source>
        <translation>Felvételeket készít a KALVIRA adatgyűjtő egységgel, ahogy az ablak START gombja, és
felvételfájlként írja ki őket (CSV, `# key=value` beállítássorokkal).

Kilépési kód: 0 minden felvétel megérkezett, 1 a kapcsolat meghiúsult (az egység üzenete a
hibakimeneten), 2 hibás használat, 130 megszakítva (Ctrl+C; a kész felvételek így is kiíródnak).</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Show this help and exit.</source>
        <translation>Kiírja ezt a súgót, és kilép.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Serial device path, or COM1 / COM2 as the window names them (KALVIRA_COM1 / KALVIRA_COM2 when set). Default COM1.</source>
        <translation>Soros eszköz elérési útja, vagy COM1 / COM2, ahogy az ablak nevezi őket (ha be vannak állítva, a KALVIRA_COM1 / KALVIRA_COM2 szerint). Alapértelmezés: COM1.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>DEVICE</source>
        <translation>ESZKÖZ</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>a threshold in volts needs --volts-per-count and --zero-count</source>
        <translation>a voltban megadott küszöbhöz kell a --volts-per-count és a --zero-count</translation>
    </message>
    <message>
        <location filename="../src/capture/setting_options.cpp" line="+29"/>
        <source>Samples per second: 40000, 20000, 10000, 5000, 2000, 1000, 500 or 200. Default 40000.</source>
        <translation>Minta másodpercenként: 40000, 20000, 10000, 5000, 2000, 1000, 500 vagy 200. Alapértelmezés: 40000.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Samples per record, 100..16000 in steps of 100. Default 5000.</source>
        <translation>Minták száma felvételenként, 100..16000, 100-as lépésekben. Alapértelmezés: 5000.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>ext: the unit&apos;s external trigger input; level: the signal crossing the trigger level. Default ext.</source>
        <translation>ext: az egység külső triggerbemenete; level: a jel átlépi a triggerszintet. Alapértelmezés: ext.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Trigger level, 1..254. Default 100.</source>
        <translation>Triggerszint, 1..254. Alapértelmezés: 100.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Trigger edge: fall or rise. Default fall.</source>
        <translation>Triggerél: fall (lefutó) vagy rise (felfutó). Alapértelmezés: fall.</translation>
    </message>
    <message>
        <location filename="../src/capture/output_options.cpp" line="+31"/>
        <source>Complete records to take, 1..%1, or 0 for no end but Ctrl+C or --duration. 1 is a single run; more run the continuous mode, stopped after the last one. Default 1, or 0 with --duration or --interval.</source>
        <translation>A készítendő teljes felvételek száma, 1..%1, vagy 0 a vég nélküli futáshoz, amelyet csak a Ctrl+C vagy a --duration állít le. Az 1 egyszeri mérés; nagyobb értéknél folyamatos módban fut, és az utolsó felvétel után leáll. Alapértelmezés: 1, illetve 0, ha --duration vagy --interval van megadva.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Write the record file to FILE (replaced only when complete) instead of standard output. FILE.sr writes a sigrok session of every record (analog and thresholded logic), FILE.wav 16-bit PCM, one file a record (FILE-1.wav, ... for several).</source>
        <translation>A felvételfájlt a szabványos kimenet helyett a FÁJL-ba írja (csak elkészülte után cseréli le). A FÁJL.sr minden felvételt sigrok munkamenetként ír (analóg és küszöbölt logikai csatorna), a FÁJL.wav 16 bites PCM-ként, felvételenként egy fájlba (több felvételnél FÁJL-1.wav, ...).</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Print the measurements of each record as one JSON object a line on standard output (min, max, peak_to_peak, mean, rms, frequency_hz, period_s, duty_cycle_percent, positive_width_s, negative_width_s, rise_time_s, fall_time_s, periods; with a calibration also min_v, max_v, peak_to_peak_v, mean_v, rms_v) with the figures of its Hann spectrum whatever --window says (fundamental_hz, fundamental_dbfs, thd_percent over harmonics 2..10, sinad_db, enob_bits; SINAD and ENOB from its Blackman-Harris spectrum, as in the spectrum window); null where not defined. The record file then goes only to --output, when given.</source>
        <translation>Minden felvétel méréseit soronként egy JSON-objektumként írja a szabványos kimenetre (min, max, peak_to_peak, mean, rms, frequency_hz, period_s, duty_cycle_percent, positive_width_s, negative_width_s, rise_time_s, fall_time_s, periods; kalibrációval még min_v, max_v, peak_to_peak_v, mean_v, rms_v), a --window beállításától függetlenül a Hann-ablakos spektrum adataival (fundamental_hz, fundamental_dbfs, thd_percent a 2..10. harmonikusokból, sinad_db, enob_bits; a SINAD és az ENOB a Blackman–Harris-ablakos spektrumból, ahogy a spektrumablakban); ahol egy érték nem értelmezett, ott null. A felvételfájl ekkor csak a --output megadásakor készül el, az ott megadott fájlba.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Then noise_floor_dbfs (the median bin outside the DC, fundamental and harmonic lobes) and the IEEE 1241 four-parameter sine fit: sinefit_frequency_hz, sinefit_amplitude and sinefit_nad (the residuals&apos; RMS) in counts, sinefit_sinad_db and sinefit_enob_bits (full scale 1024 counts); null with fewer than 5 periods.</source>
        <translation>Ezután a noise_floor_dbfs (a DC, az alapharmonikus és a felharmonikusok lebenyén kívüli bin-ek mediánja) és az IEEE 1241 négyparaméteres szinuszillesztés: sinefit_frequency_hz, sinefit_amplitude és sinefit_nad (a maradékok RMS-e) mintaegységben, sinefit_sinad_db és sinefit_enob_bits (1024 mintaegységnyi teljes skála); 5 periódusnál kevesebbnél null.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Write the spectrum of each record to FILE (replaced only when complete) as the spectrum window&apos;s CSV: `# key=value` lines, then frequency_hz,magnitude_db in dBFS, the mean removed; several records in one file with a leading record column.</source>
        <translation>Minden felvétel spektrumát a FILE fájlba írja (amelyet csak elkészülte után cserél le) a spektrumablak CSV-formátumában: `# key=value` sorok, majd frequency_hz,magnitude_db dBFS-ben, az átlag levonásával; több felvétel egy fájlba kerül, elöl egy record oszloppal.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The window for --spectrum: %1. Default hann. --measure always uses hann.</source>
        <translation>A --spectrum ablakfüggvénye: %1. Alapértelmezés: hann. A --measure mindig a hann ablakot használja.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Write the records&apos; averaged spectrum to the --spectrum file instead, replaced as each record completes: linear:N (the mean power of the first N records, N 2..%1), exp:N (each new record weighed 1/N), peak or min (each bin&apos;s highest or lowest level). Default off.</source>
        <translation>A --spectrum fájlba helyette a felvételek átlagolt spektruma kerül, minden elkészült felvétel után újraírva: linear:N (az első N felvétel átlagos teljesítménye, N 2..%1), exp:N (minden új felvétel 1/N súllyal), peak vagy min (minden bin legmagasabb vagy legalacsonyabb szintje). Alapértelmezés: off.</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>--records must be 0..%1</source>
        <translation>a --records értéke 0..%1 lehet</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>--spectrum needs a file name</source>
        <translation>a --spectrum kapcsolóhoz fájlnév kell</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>--window must be one of %1</source>
        <translation>a --window értéke a következők egyike lehet: %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>--average must be linear:N or exp:N with N %1..%2, peak or min</source>
        <translation>a --average értéke linear:N vagy exp:N lehet, N %1..%2, vagy peak, vagy min</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>--average needs --spectrum</source>
        <translation>a --average csak a --spectrum mellett használható</translation>
    </message>
    <message>
        <location filename="../src/capture/judge_options.cpp" line="+35"/>
        <source>--limit %1 needs --volts-per-count and --zero-count</source>
        <translation>a --limit %1 használatához kell a --volts-per-count és a --zero-count</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>--limit %1 needs --mask, the reference it is measured from</source>
        <translation>a --limit %1 használatához kell a --mask, a referencia, amelyhez mérjük</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>--limit %1 names no figure; the figures are %2</source>
        <translation>a --limit %1 nem nevez meg mérőszámot; a mérőszámok: %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>--limit %1: LOW and HIGH must be numbers</source>
        <translation>--limit %1: az ALSÓ és a FELSŐ érték szám kell legyen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>--limit %1: LOW must not be above HIGH</source>
        <translation>--limit %1: az ALSÓ érték nem lehet nagyobb a FELSŐNÉL</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>--limit must be NAME=LOW..HIGH, not %1</source>
        <translation>a --limit alakja NÉV=ALSÓ..FELSŐ, nem %1</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>, line %1</source>
        <translation>, %1. sor</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>--mask %1%2: %3</source>
        <translation>--mask %1%2: %3</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>--mask %1 holds %2 records; a mask is made of one</source>
        <translation>a --mask %1 %2 felvételt tartalmaz; a maszk egyből készül</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>--mask %1 was taken at %2 SPS, the capture is at %3 SPS</source>
        <translation>a --mask %1 felvétele %2 SPS-sel készült, a rögzítés %3 SPS-sel megy</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>At the end (or at Ctrl+C) print one JSON object on standard output with the minimum, maximum, mean, standard deviation and count of every figure over the records: {&quot;frequency_hz&quot;:{&quot;min&quot;:..,&quot;max&quot;:..,&quot;mean&quot;:..,&quot;std&quot;:..,&quot;count&quot;:..},...}. The record file then goes only to --output, when given.</source>
        <translation>A végén (vagy Ctrl+C-re) egy JSON-objektumot ír a szabványos kimenetre minden mérőszám minimumával, maximumával, átlagával, szórásával és darabszámával a felvételeken: {&quot;frequency_hz&quot;:{&quot;min&quot;:..,&quot;max&quot;:..,&quot;mean&quot;:..,&quot;std&quot;:..,&quot;count&quot;:..},...}. A felvételfájl ekkor csak a --output fájlba kerül, ha meg van adva.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>A record passes only with the figure NAME (a key of --measure, e.g. frequency_hz, duty_cycle_percent) in LOW..HIGH; repeatable. --measure lines gain &quot;pass&quot;; the exit status is 3 when any record failed.</source>
        <translation>Egy felvétel csak akkor felel meg, ha a NÉV mérőszám (a --measure egy kulcsa, pl. frequency_hz, duty_cycle_percent) ALSÓ..FELSŐ között van; ismételhető. A --measure sorai &quot;pass&quot; mezőt kapnak; a kilépési kód 3, ha bármely felvétel nem felelt meg.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Test each record against the record in FILE (a record file of one record at the capture&apos;s rate) widened by --mask-level and --mask-time: a record fails where a sample leaves the band. The exit status is 3 when any record failed.</source>
        <translation>Minden felvételt a FÁJL felvételéhez méri (egyetlen felvételt tartalmazó felvételfájl a rögzítés mintavételi sebességén), a --mask-level és a --mask-time szerint kiszélesítve: egy felvétel nem felel meg, ahol egy minta kilép a sávból. A kilépési kód 3, ha bármely felvétel nem felelt meg.</translation>
    </message>
    <message>
        <location line="+5"/>
        <location filename="../src/capture/output_options.cpp" line="-84"/>
        <source>FILE</source>
        <translation>FÁJL</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The mask&apos;s width about the reference: counts, or volts with V or mV after the number (0.05V, 50mV; with a calibration). Default 0.</source>
        <translation>A maszk szélessége a referencia körül: mintaegységben, vagy voltban, ha a szám után V vagy mV áll (0.05V, 50mV; kalibrációval). Alapértelmezés: 0.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The mask&apos;s width in time: each sample may lie within the reference&apos;s span over ±S samples, 0..%1. Default 0.</source>
        <translation>A maszk szélessége időben: minden minta a referencia ±S mintányi környezetének tartományában lehet, 0..%1. Alapértelmezés: 0.</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>--mask-level and --mask-time need --mask</source>
        <translation>a --mask-level és a --mask-time csak a --mask mellett használható</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>--mask-level must be a number 0 or more, of counts, or of volts with V or mV after it</source>
        <translation>a --mask-level 0 vagy nagyobb szám lehet, mintaegységben, vagy voltban, ha V vagy mV áll utána</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>--mask-level in volts needs --volts-per-count and --zero-count</source>
        <translation>a voltban megadott --mask-level-hez kell a --volts-per-count és a --zero-count</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>--mask-time must be 0..%1 samples</source>
        <translation>a --mask-time értéke 0..%1 minta lehet</translation>
    </message>
    <message>
        <location filename="../src/capture/capture_options.cpp" line="+36"/>
        <source>unexpected argument %1</source>
        <translation>váratlan argumentum: %1</translation>
    </message>
    <message>
        <location line="-63"/>
        <source>--port needs a device</source>
        <translation>a --port kapcsolóhoz eszköz kell</translation>
    </message>
    <message>
        <location filename="../src/capture/setting_options.cpp" line="+14"/>
        <source>--rate must be one of 40000, 20000, 10000, 5000, 2000, 1000, 500, 200</source>
        <translation>a --rate értéke 40000, 20000, 10000, 5000, 2000, 1000, 500 vagy 200 lehet</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>--samples must be 100..16000 in steps of 100</source>
        <translation>a --samples értéke 100..16000 lehet, 100-as lépésekben</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>--trigger must be ext or level</source>
        <translation>a --trigger értéke ext vagy level lehet</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>--level must be 1..254</source>
        <translation>a --level értéke 1..254 lehet</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>--edge must be fall or rise</source>
        <translation>az --edge értéke fall vagy rise lehet</translation>
    </message>
    <message>
        <location filename="../src/capture/output_options.cpp" line="+61"/>
        <source>--output needs a file name</source>
        <translation>az --output kapcsolóhoz fájlnév kell</translation>
    </message>
    <message>
        <location filename="../src/capture/capture.cpp" line="+45"/>
        <source>standard output: %1</source>
        <translation>szabványos kimenet: %1</translation>
    </message>
    <message>
        <location line="+113"/>
        <source>a record takes longer than the interval: records follow back to back</source>
        <translation>egy felvétel tovább tart az időköznél: a felvételek szünet nélkül követik egymást</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>the run ended before every record arrived</source>
        <translation>a mérés véget ért, mielőtt minden felvétel megérkezett</translation>
    </message>
    <message>
        <location line="+45"/>
        <source>record %1: %2</source>
        <translation>%1. felvétel: %2</translation>
    </message>
    <message>
        <location filename="../src/capture/calibration_options.cpp" line="+11"/>
        <source>Volts at the unit&apos;s input per count, finite and not 0 (negative for an inverting input); with --zero-count, values read as (value - C) x V x K volts, written into the record file and added to --measure as min_v .. rms_v.</source>
        <translation>Volt mintaegységenként az egység bemenetén, véges és nem 0 (invertáló bemenetnél negatív); a --zero-count mellett az értékek (érték - C) x V x K voltot jelentenek, ez a felvételfájlba is bekerül, a --measure kimenete pedig a min_v .. rms_v mezőkkel bővül.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The count that reads 0 V, 0..32767.</source>
        <translation>A 0 V-nak megfelelő mintaérték, 0..32767.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The probe&apos;s attenuation: 1, 10 or 100. Default 1.</source>
        <translation>A mérőfej osztásaránya: 1, 10 vagy 100. Alapértelmezés: 1.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>--volts-per-count and --zero-count go together</source>
        <translation>a --volts-per-count és a --zero-count csak együtt adható meg</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>--probe needs --volts-per-count and --zero-count</source>
        <translation>a --probe kapcsolóhoz --volts-per-count és --zero-count is kell</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>--probe must be 1, 10 or 100</source>
        <translation>a --probe értéke 1, 10 vagy 100 lehet</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>--zero-count must be a number in 0..32767</source>
        <translation>a --zero-count értéke 0..32767 közötti szám lehet</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>--volts-per-count must be a number, finite and not 0</source>
        <translation>a --volts-per-count értéke csak véges, 0-tól különböző szám lehet</translation>
    </message>
    <message>
        <location filename="../src/capture/capture_host.cpp" line="+73"/>
        <source>%1/%2 records complete</source>
        <translation>%1/%2 felvétel kész</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 records complete</source>
        <translation>%1 felvétel kész</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>, %1 kB in the file</source>
        <translation>, %1 kB a fájlban</translation>
    </message>
    <message>
        <location filename="../src/capture/long_capture_options.cpp" line="+12"/>
        <source>End the capture after SECONDS, as Ctrl+C does but with status 0; the record under way is completed.</source>
        <translation>SECONDS másodperc után befejezi a felvételkészítést, mint a Ctrl+C, de 0 kilépési kóddal; a folyamatban lévő felvétel még elkészül.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Take one single record every SECONDS, as a slow data logger does, instead of the continuous mode&apos;s 0.3 s pause. Shorter than a record: back to back.</source>
        <translation>SECONDS másodpercenként egyetlen felvételt készít, mint egy lassú adatnaplózó, a folyamatos mód 0.3 s-os szünete helyett. Ha egy felvételnél rövidebb: szünet nélkül, egymás után.</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>--%1 must be a positive number of seconds</source>
        <translation>a(z) --%1 értéke csak pozitív másodpercszám lehet</translation>
    </message>
    <message>
        <location filename="../src/capture/serve_options.cpp" line="+11"/>
        <source>Answer SCPI remote control on a TCP port instead of capturing, until Ctrl+C (status 130): PORT on the loopback address, or ADDRESS:PORT elsewhere (anyone on that network can then drive the unit). Port 0 takes a free one. Records taken go to --output as a log, when given.</source>
        <translation>Rögzítés helyett SCPI távvezérlésre válaszol egy TCP porton a Ctrl+C-ig (állapotkód 130): PORT a helyi (loopback) címen, vagy CÍM:PORT máshol (ekkor azon a hálózaton bárki vezérelheti az egységet). A 0-s port egy szabad portot választ. A felvett rekordok naplóként a --output fájlba kerülnek, ha meg van adva.</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>--serve must be PORT or ADDRESS:PORT, port 0..65535</source>
        <translation>a --serve értéke PORT vagy CÍM:PORT lehet, a port 0..65535</translation>
    </message>
    <message>
        <location filename="../src/capture/serving.cpp" line="+47"/>
        <source>cannot listen on %1: %2</source>
        <translation>nem lehet figyelni itt: %1: %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>listening on %1</source>
        <translation>figyelés itt: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>anyone who can reach %1 can drive the unit</source>
        <translation>aki eléri a(z) %1 címet, vezérelheti az egységet</translation>
    </message>
    <message>
        <location filename="../src/capture/decode_options.cpp" line="+58"/>
        <source>Decode each record with a decoder of one channel of the decoder library (libsigrokdecode), e.g. uart:baudrate=2400,parity=none, ir_nec, pwm. Each annotation is printed as one JSON object a line on standard output (record, start_s, end_s, row, text), after the record&apos;s --measure line when given; the record file then goes only to --output, when given.</source>
        <translation>Minden felvételt a dekóderkönyvtár (libsigrokdecode) egy egycsatornás dekóderével dekódol, pl. uart:baudrate=2400,parity=none, ir_nec, pwm. Minden annotáció soronként egy JSON-objektumként kerül a szabványos kimenetre (record, start_s, end_s, row, text), a felvétel --measure sora után, ha az meg van adva; a felvételfájl ekkor csak a --output fájlba kerül, ha meg van adva.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The level between low and high for --decode and .sr files: counts, or volts with a V after the number and a calibration. Default the mid level of each record.</source>
        <translation>Az alacsony és a magas szint közötti küszöb a --decode és az .sr fájlok számára: mintaegységben, vagy voltban, ha a szám után V áll és van kalibráció. Alapértelmezés: minden felvétel középszintje.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The width of the band about the threshold that changes nothing, in counts or in volts as --threshold. Default 10 % of each record&apos;s span.</source>
        <translation>A küszöb körüli, semmit sem változtató sáv szélessége, mintaegységben vagy voltban, mint a --threshold. Alapértelmezés: minden felvétel tartományának 10 %-a.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>High below the threshold: RS-232 levels.</source>
        <translation>Magas a küszöb alatt: RS-232 szintek.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>--threshold must be a number, or a number and V</source>
        <translation>a --threshold értéke szám, vagy szám és V lehet</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>--hysteresis must be a number not below 0, or such a number and V</source>
        <translation>a --hysteresis értéke 0-nál nem kisebb szám, vagy ilyen szám és V lehet</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>--threshold and --hysteresis must both be in volts or in counts</source>
        <translation>a --threshold és a --hysteresis egyaránt voltban vagy mintaegységben kell legyen</translation>
    </message>
</context>
<context>
    <name>kalvira::acquisition::QtSerialPort</name>
    <message>
        <location filename="../src/acquisition/qt_serial_port.cpp" line="+20"/>
        <source>the device is no longer available</source>
        <translation>az eszköz már nem érhető el</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>reading from the device failed</source>
        <translation>nem sikerült olvasni az eszközről</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>writing to the device failed</source>
        <translation>nem sikerült írni az eszközre</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>permission denied</source>
        <translation>hozzáférés megtagadva</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the port failed</source>
        <translation>a port hibát jelzett</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Serial ports belong to the &quot;dialout&quot; group. Join it with &quot;sudo adduser $USER dialout&quot;, then log out and log in again.</source>
        <translation>A soros portok a „dialout” csoporthoz tartoznak. Lépjen be a csoportba a „sudo adduser $USER dialout” paranccsal, majd jelentkezzen ki, és jelentkezzen be újra.</translation>
    </message>
</context>
<context>
    <name>kalvira::acquisition::RunProgress</name>
    <message>
        <location filename="../src/acquisition/run_progress.cpp" line="+30"/>
        <source>waiting for the answer</source>
        <translation>várakozás a válaszra</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>acquiring</source>
        <translation>felvétel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>acquiring %1 %</source>
        <translation>felvétel %1 %</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>waiting for the trigger</source>
        <translation>várakozás a triggerre</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>transferring</source>
        <translation>átvitel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>transferring %1 %</source>
        <translation>átvitel %1 %</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>pause after record %1</source>
        <translation>szünet, %1 felvétel kész</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>failure</source>
        <translation>hiba</translation>
    </message>
</context>
<context>
    <name>kalvira::ui::AnnotationTableWindow</name>
    <message>
        <location filename="../src/ui/annotation_table_window.cpp" line="+36"/>
        <source>KALVIRA decode</source>
        <translation>KALVIRA dekódolás</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Time (s)</source>
        <translation>Idő (s)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Row</source>
        <translation>Sor</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Text</source>
        <translation>Szöveg</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Save annotations as CSV…</source>
        <translation>Annotációk mentése CSV-ként…</translation>
    </message>
    <message numerus="yes">
        <location line="+38"/>
        <source>%n annotation(s)</source>
        <translation>
            <numerusform>%n annotáció</numerusform>
        </translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Save annotations</source>
        <translation>Annotációk mentése</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>CSV files (*.csv)</source>
        <translation>CSV-fájlok (*.csv)</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>%1 could not be saved: %2</source>
        <translation>%1 mentése nem sikerült: %2</translation>
    </message>
</context>
<context>
    <name>kalvira::ui::CalibrationDialog</name>
    <message>
        <location filename="../src/ui/calibration_dialog.cpp" line="+52"/>
        <source>Calibration</source>
        <translation>Kalibráció</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Two points</source>
        <translation>Két pont</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Volts per count and zero count</source>
        <translation>Volt/mintaegység és nullpont</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>×%1</source>
        <translation>×%1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Count A</source>
        <translation>Az A pont mintaértéke</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Volts at count A</source>
        <translation>Az A pont feszültsége</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Count B</source>
        <translation>A B pont mintaértéke</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Volts at count B</source>
        <translation>A B pont feszültsége</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Volts per count</source>
        <translation>Volt/mintaegység</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Zero count (0 V)</source>
        <translation>Nullpont mintaértéke (0 V)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Probe</source>
        <translation>Mérőfej</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Clear calibration</source>
        <translation>Kalibráció törlése</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Volts at the unit&apos;s input, as with a probe of ×1.</source>
        <translation>Feszültség az egység bemenetén, mint ×1-es mérőfejjel.</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>The volts at both counts must be numbers.</source>
        <translation>Mindkét pont feszültségének számnak kell lennie.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Volts per count and zero count must be numbers.</source>
        <translation>A volt/mintaegység és a nullpont értékének számnak kell lennie.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The two points must be at different counts.</source>
        <translation>A két pont mintaértékének különböznie kell.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The two points must read different volts.</source>
        <translation>A két pont feszültségének különböznie kell.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Volts per count must be finite and not 0.</source>
        <translation>A volt/mintaegység értékének végesnek és 0-tól különbözőnek kell lennie.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>0 V must lie at a count in 0..32767.</source>
        <translation>A 0 V-hoz tartozó mintaértéknek 0..32767 között kell lennie.</translation>
    </message>
</context>
<context>
    <name>kalvira::ui::DecodeDialog</name>
    <message>
        <location filename="../src/ui/decode_dialog.cpp" line="+48"/>
        <source>Decode</source>
        <translation>Dekódolás</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Decode the record on screen</source>
        <translation>A képernyőn lévő felvétel dekódolása</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Decoder options</source>
        <translation>Dekóder beállításai</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>mid level</source>
        <translation>középszint</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>10 % of the span</source>
        <translation>a tartomány 10 %-a</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>In volts</source>
        <translation>Voltban</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Invert (RS-232 levels)</source>
        <translation>Fordított (RS-232 szintek)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Logic level</source>
        <translation>Logikai szint</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Threshold</source>
        <translation>Küszöb</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Hysteresis</source>
        <translation>Hiszterézis</translation>
    </message>
    <message>
        <location line="+52"/>
        <source>Choose a decoder.</source>
        <translation>Válasszon dekódert.</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>The threshold must be a number.</source>
        <translation>A küszöb szám kell legyen.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The hysteresis must be a number not below 0.</source>
        <translation>A hiszterézis 0-nál nem kisebb szám kell legyen.</translation>
    </message>
</context>
<context>
    <name>kalvira::ui::Form1</name>
    <message>
        <location filename="../src/ui/form1_records.cpp" line="+28"/>
        <source>A record cannot be opened while a measurement is running.</source>
        <translation>Mérés közben nem nyitható meg felvétel.</translation>
    </message>
    <message>
        <location line="+3"/>
        <location filename="../src/ui/form1_history.cpp" line="+45"/>
        <location filename="../src/ui/form1_reference.cpp" line="+66"/>
        <source>KALVIRA records (*.csv);;All files (*)</source>
        <translation>KALVIRA-felvételek (*.csv);;Minden fájl (*)</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>There is no record on screen to save.</source>
        <translation>Nincs felvétel a képernyőn, amelyet menteni lehetne.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Save record</source>
        <translation>Felvétel mentése</translation>
    </message>
    <message>
        <location line="+3"/>
        <location filename="../src/ui/form1_history.cpp" line="+3"/>
        <source>%1 could not be saved: %2</source>
        <translation>%1 mentése nem sikerült: %2</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Open record</source>
        <translation>Felvétel megnyitása</translation>
    </message>
    <message>
        <location line="+13"/>
        <location filename="../src/ui/form1_reference.cpp" line="+9"/>
        <source>, line %1</source>
        <translation>, %1. sor</translation>
    </message>
    <message>
        <location line="+1"/>
        <location filename="../src/ui/form1_reference.cpp" line="+1"/>
        <source>%1%2 is not a KALVIRA record: %3</source>
        <translation>%1%2: nem KALVIRA-felvétel: %3</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1, line %2: its only record is cut off, so there is nothing to show.</source>
        <translation>%1, %2. sor: egyetlen felvétele csonka, így nincs mit megjeleníteni.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>%1 holds more samples than its time base can show.</source>
        <translation>%1 több mintát tartalmaz, mint amennyit az időalapja meg tud jeleníteni.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The oldest %1 records did not fit in the history and were left out.</source>
        <translation>A legrégebbi %1 felvétel nem fért bele az előzményekbe, ezért kimaradt.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The last record, from line %1 on, is cut off and was left out.</source>
        <translation>Az utolsó felvétel (%1. sortól) csonka, ezért kimaradt.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Save picture</source>
        <translation>Kép mentése</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>PNG images (*.png)</source>
        <translation>PNG-képek (*.png)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 could not be saved.</source>
        <translation>%1 mentése nem sikerült.</translation>
    </message>
    <message>
        <location filename="../src/ui/form1_picture_actions.cpp" line="+20"/>
        <source>Save record…</source>
        <translation>Felvétel mentése…</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Open record…</source>
        <translation>Felvétel megnyitása…</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Save picture as PNG…</source>
        <translation>Kép mentése PNG-ként…</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Copy picture</source>
        <translation>Kép másolása</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Measurements</source>
        <translation>Mérések</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Spectrum</source>
        <translation>Spektrum</translation>
    </message>
    <message>
        <location filename="../src/ui/form1_cursors.cpp" line="+35"/>
        <source>Cursors</source>
        <translation>Kurzorok</translation>
    </message>
    <message>
        <location filename="../src/ui/form1_history.cpp" line="-22"/>
        <source>Save history…</source>
        <translation>Előzmények mentése…</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Clear history</source>
        <translation>Előzmények törlése</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>The history holds no record to save.</source>
        <translation>Az előzmények között nincs menthető felvétel.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Save history</source>
        <translation>Előzmények mentése</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Looking back waits for STOP.</source>
        <translation>Visszalapozni csak STOP után lehet.</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>%1 / %2 · %3</source>
        <translation>%1 / %2 · %3</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> · marked</source>
        <translation> · megjelölve</translation>
    </message>
    <message>
        <location filename="../src/ui/form1_calibration.cpp" line="+49"/>
        <source>Calibration…</source>
        <translation>Kalibráció…</translation>
    </message>
    <message>
        <location filename="../src/ui/form1_progress.cpp" line="+49"/>
        <source>remote</source>
        <translation>távvezérlés</translation>
    </message>
    <message>
        <location filename="../src/ui/form1_remote.cpp" line="+28"/>
        <source>Remote control</source>
        <translation>Távvezérlés</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Remote control cannot listen on %1: %2</source>
        <translation>A távvezérlés nem tud figyelni itt: %1: %2</translation>
    </message>
    <message>
        <location filename="../src/ui/form1_statistics.cpp" line="+30"/>
        <source>%1 sample = %2</source>
        <translation>%1 minta = %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 value = %2</source>
        <translation>%1 érték = %2</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Statistics</source>
        <translation>Statisztika</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Reset statistics</source>
        <translation>Statisztika újrakezdése</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Mark record for the history&apos;s statistics</source>
        <translation>Felvétel megjelölése az előzmények statisztikájához</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Statistics of the history</source>
        <translation>Az előzmények statisztikája</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Trend…</source>
        <translation>Trend…</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Copy readouts</source>
        <translation>Kijelzések másolása</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Statistics since %1 · records %2</source>
        <translation>Statisztika %1 óta · %2 felvétel</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>The history holds no record.</source>
        <translation>Az előzmények között nincs felvétel.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Statistics of history records %1..%2 of %3</source>
        <translation>Az előzmények %1..%2. felvételének statisztikája (összesen %3)</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>The record on screen is not one of the history.</source>
        <translation>A képernyőn lévő felvétel nincs az előzmények között.</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>No readout is on screen to copy: show the measurements (M) or the cursors (C) first.</source>
        <translation>Nincs másolható kijelzés a képernyőn: előbb jelenítse meg a méréseket (M) vagy a kurzorokat (C).</translation>
    </message>
    <message>
        <location filename="../src/ui/form1_reference.cpp" line="-43"/>
        <source>Set as reference</source>
        <translation>Beállítás referenciaként</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Open reference…</source>
        <translation>Referencia megnyitása…</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Reference</source>
        <translation>Referencia</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Clear reference</source>
        <translation>Referencia törlése</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>There is no record on screen to take as the reference.</source>
        <translation>Nincs felvétel a képernyőn, amely referencia lehetne.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Open reference</source>
        <translation>Referencia megnyitása</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>%1 holds no complete record.</source>
        <translation>%1 nem tartalmaz teljes felvételt.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1 holds %2 records: record %3 is the reference.</source>
        <translation>%1 %2 felvételt tartalmaz: a %3. a referencia.</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>REF %1</source>
        <translation>REF %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>REF %1 · taken at %2 SPS, not drawn over a record at %3 SPS</source>
        <translation>REF %1 · %2 SPS-sel készült, %3 SPS-es felvétel fölé nem rajzolható</translation>
    </message>
    <message>
        <location filename="../src/ui/form1_limits.cpp" line="+79"/>
        <source>Limits and mask…</source>
        <translation>Határok és maszk…</translation>
    </message>
    <message>
        <location filename="../src/ui/form1_decode.cpp" line="+58"/>
        <source>Decode…</source>
        <translation>Dekódolás…</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Decoded annotations</source>
        <translation>Dekódolt annotációk</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Export…</source>
        <translation>Exportálás…</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Export history…</source>
        <translation>Előzmények exportálása…</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Decoding is not available: %1</source>
        <translation>A dekódolás nem érhető el: %1</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Decoding is off: see Decode…</source>
        <translation>A dekódolás ki van kapcsolva: lásd Dekódolás…</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>No record decoded</source>
        <translation>Nincs dekódolt felvétel</translation>
    </message>
    <message>
        <location line="+63"/>
        <source>Decoding failed: %1</source>
        <translation>A dekódolás nem sikerült: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The record could not be decoded: %1</source>
        <translation>A felvételt nem sikerült dekódolni: %1</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>There is no record on screen to export.</source>
        <translation>Nincs felvétel a képernyőn, amelyet exportálni lehetne.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Export record</source>
        <translation>Felvétel exportálása</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+34"/>
        <source>sigrok sessions (*.sr);;WAV files (*.wav)</source>
        <translation>sigrok munkamenetek (*.sr);;WAV-fájlok (*.wav)</translation>
    </message>
    <message>
        <location line="-30"/>
        <location line="+34"/>
        <source>%1 could not be exported: %2</source>
        <translation>%1 exportálása nem sikerült: %2</translation>
    </message>
    <message>
        <location line="-21"/>
        <source>The history holds no record to export.</source>
        <translation>Az előzmények között nincs exportálható felvétel.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>The history&apos;s records differ in sample rate, length or calibration; an export holds records of one.</source>
        <translation>Az előzmények felvételei mintavételi sebességben, hosszban vagy kalibrációban eltérnek; egy export csak egyforma felvételeket tartalmazhat.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Export history</source>
        <translation>Előzmények exportálása</translation>
    </message>
</context>
<context>
    <name>kalvira::ui::LimitsDialog</name>
    <message>
        <location filename="../src/ui/limits_dialog.cpp" line="+24"/>
        <source>Hz</source>
        <translation>Hz</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>s</source>
        <translation>s</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+64"/>
        <source>counts</source>
        <translation>mintaegység</translation>
    </message>
    <message>
        <location line="-60"/>
        <location line="+60"/>
        <source>V</source>
        <translation>V</translation>
    </message>
    <message>
        <location line="-20"/>
        <source>Limits and mask</source>
        <translation>Határok és maszk</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Figure</source>
        <translation>Mérőszám</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Low</source>
        <translation>Alsó</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>High</source>
        <translation>Felső</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Test against the reference as a mask</source>
        <translation>Vizsgálat a referenciához mint maszkhoz</translation>
    </message>
    <message>
        <location line="+6"/>
        <source> samples</source>
        <translation> minta</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Stop the run at the first fail</source>
        <translation>A futás leállítása az első hibánál</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Keep only failing records in the history</source>
        <translation>Csak a hibás felvételek maradjanak az előzmények között</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>± level</source>
        <translation>± szint</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>± time</source>
        <translation>± idő</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>A record passes with every ticked figure within its range.</source>
        <translation>Egy felvétel akkor felel meg, ha minden bejelölt mérőszáma a tartományán belül van.</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>The low and high end of %1 must be numbers.</source>
        <translation>%1 alsó és felső határa szám kell legyen.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The low end of %1 must not be above its high end.</source>
        <translation>%1 alsó határa nem lehet nagyobb a felsőnél.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>The mask&apos;s level must be a number, 0 or more.</source>
        <translation>A maszk szintje 0 vagy nagyobb szám kell legyen.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>A level in volts needs a calibration.</source>
        <translation>A voltban megadott szinthez kalibráció kell.</translation>
    </message>
</context>
<context>
    <name>kalvira::ui::MeasurementReadout</name>
    <message>
        <location filename="../src/ui/measurement_readout.cpp" line="+16"/>
        <location line="+81"/>
        <location line="+44"/>
        <location line="+3"/>
        <source>min</source>
        <translation>min</translation>
    </message>
    <message>
        <location line="-127"/>
        <location line="+80"/>
        <location line="+44"/>
        <location line="+3"/>
        <source>max</source>
        <translation>max</translation>
    </message>
    <message>
        <location line="-126"/>
        <location line="+80"/>
        <source>p-p</source>
        <translation>cs-cs</translation>
    </message>
    <message>
        <location line="-79"/>
        <location line="+79"/>
        <location line="+43"/>
        <location line="+3"/>
        <source>mean</source>
        <translation>átlag</translation>
    </message>
    <message>
        <location line="-124"/>
        <location line="+78"/>
        <source>rms</source>
        <translation>eff</translation>
    </message>
    <message>
        <location line="-77"/>
        <location line="+77"/>
        <source>duty</source>
        <translation>kitöltés</translation>
    </message>
    <message>
        <location line="-76"/>
        <location line="+77"/>
        <source>+width</source>
        <translation>+szélesség</translation>
    </message>
    <message>
        <location line="-76"/>
        <location line="+76"/>
        <source>-width</source>
        <translation>-szélesség</translation>
    </message>
    <message>
        <location line="-75"/>
        <location line="+75"/>
        <source>rise</source>
        <translation>felfutás</translation>
    </message>
    <message>
        <location line="-74"/>
        <location line="+74"/>
        <source>fall</source>
        <translation>lefutás</translation>
    </message>
    <message>
        <location line="-73"/>
        <location line="+74"/>
        <source>periods</source>
        <translation>periódusok</translation>
    </message>
    <message>
        <location line="-27"/>
        <source>pass = %1</source>
        <translation>megfelelt = %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>fail = %1</source>
        <translation>hibás = %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>fail ratio = %1 %</source>
        <translation>hibaarány = %1 %</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>f</source>
        <translation>f</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>T</source>
        <translation>T</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>current</source>
        <translation>aktuális</translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+3"/>
        <source>std</source>
        <translation>szórás</translation>
    </message>
    <message>
        <location line="-3"/>
        <location line="+3"/>
        <source>count</source>
        <translation>db</translation>
    </message>
</context>
<context>
    <name>kalvira::ui::PortMenu</name>
    <message>
        <location filename="../src/ui/port_menu.cpp" line="+63"/>
        <source>Device for %1</source>
        <translation>%1 eszköze</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>No serial device found</source>
        <translation>Nem található soros eszköz</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 (not present)  [%2]</source>
        <translation>%1 (nincs jelen)  [%2]</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>KALVIRA_COM%1 is set and wins over the choice</source>
        <translation>A KALVIRA_COM%1 be van állítva, és felülírja a választást</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Forget the device chosen for %1</source>
        <translation>A %1 számára választott eszköz elfelejtése</translation>
    </message>
    <message>
        <location line="+16"/>
        <source> (chosen)</source>
        <translation> (választott)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 opens %2%3</source>
        <translation>%1 ezt nyitja meg: %2%3</translation>
    </message>
</context>
<context>
    <name>kalvira::ui::SpectrumAveragingBar</name>
    <message>
        <location filename="../src/ui/spectrum_averaging_bar.cpp" line="+27"/>
        <source>Off</source>
        <translation>Ki</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Linear</source>
        <translation>Lineáris</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Exponential</source>
        <translation>Exponenciális</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Peak hold</source>
        <translation>Csúcstartás</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Minimum hold</source>
        <translation>Minimumtartás</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>N </source>
        <translation>N </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>over the run&apos;s records</source>
        <translation>a futás felvételein</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>over the history</source>
        <translation>az előzményeken</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Reset</source>
        <translation>Újrakezdés</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Averaging</source>
        <translation>Átlagolás</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>%1 / %2 records</source>
        <translation>%1 / %2 felvétel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>1 record</source>
        <translation>1 felvétel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 records</source>
        <translation>%1 felvétel</translation>
    </message>
</context>
<context>
    <name>kalvira::ui::SpectrumHarmonics</name>
    <message>
        <location filename="../src/ui/spectrum_harmonics.cpp" line="+24"/>
        <source>Harmonic</source>
        <translation>Felharmonikus</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Frequency</source>
        <translation>Frekvencia</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Level</source>
        <translation>Szint</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Harmonics · THD %1 % (%2 dB)</source>
        <translation>Felharmonikusok · THD %1 % (%2 dB)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Harmonics · THD –</source>
        <translation>Felharmonikusok · THD –</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>%1 dBc</source>
        <translation>%1 dBc</translation>
    </message>
</context>
<context>
    <name>kalvira::ui::SpectrumMarkerPanel</name>
    <message>
        <location filename="../src/ui/spectrum_marker_panel.cpp" line="+24"/>
        <source>Marker</source>
        <translation>Jelölő</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Frequency</source>
        <translation>Frekvencia</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Level</source>
        <translation>Szint</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Δ to M1</source>
        <translation>Δ M1-hez</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Peak</source>
        <translation>Csúcs</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Next peak</source>
        <translation>Következő csúcs</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Clear marker</source>
        <translation>Jelölő törlése</translation>
    </message>
</context>
<context>
    <name>kalvira::ui::SpectrumPlot</name>
    <message>
        <location filename="../src/ui/spectrum_plot.cpp" line="+87"/>
        <source>No record on screen</source>
        <translation>Nincs felvétel a képernyőn</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>counts</source>
        <translation>mintaegység</translation>
    </message>
</context>
<context>
    <name>kalvira::ui::SpectrumWindow</name>
    <message>
        <location filename="../src/ui/spectrum_window.cpp" line="+39"/>
        <source>Rectangular</source>
        <translation>Téglalap</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Hann</source>
        <translation>Hann</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Hamming</source>
        <translation>Hamming</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Blackman-Harris</source>
        <translation>Blackman–Harris</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Flat top</source>
        <translation>Lapos tetejű</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>KALVIRA spectrum</source>
        <translation>KALVIRA-spektrum</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Remove DC</source>
        <translation>DC eltávolítása</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Linear</source>
        <translation>Lineáris</translation>
    </message>
    <message>
        <location line="+4"/>
        <location filename="../src/ui/spectrum_window_spectrum.cpp" line="+94"/>
        <location line="+1"/>
        <location line="+30"/>
        <source> dB</source>
        <translation> dB</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Range </source>
        <translation>Tartomány </translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Window</source>
        <translation>Ablak</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Markers: click the plot to place the selected one</source>
        <translation>Jelölők: kattintson a grafikonra a kiválasztott elhelyezéséhez</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>FFT</source>
        <translation>FFT</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sine fit (IEEE 1241)</source>
        <translation>Szinuszillesztés (IEEE 1241)</translation>
    </message>
    <message>
        <location line="-67"/>
        <source>Save spectrum as PNG…</source>
        <translation>Spektrum mentése PNG-ként…</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Save spectrum as CSV…</source>
        <translation>Spektrum mentése CSV-ként…</translation>
    </message>
    <message>
        <location filename="../src/ui/spectrum_window_spectrum.cpp" line="-77"/>
        <source>No record on screen</source>
        <translation>Nincs felvétel a képernyőn</translation>
    </message>
    <message>
        <location line="+41"/>
        <source>Fundamental %1, %2 · THD %3 (%4) · SINAD %5 · ENOB %6</source>
        <translation>Alapharmonikus %1, %2 · THD %3 (%4) · SINAD %5 · ENOB %6</translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+30"/>
        <source> bits</source>
        <translation> bit</translation>
    </message>
    <message>
        <location line="-28"/>
        <source>· Noise floor %1</source>
        <translation>· Zajszint %1</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>– (fewer than 5 periods, or no sine)</source>
        <translation>– (5-nél kevesebb periódus, vagy nincs szinusz)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 · amplitude %2 counts · NAD %3 counts · SINAD %4 · ENOB %5</source>
        <translation>%1 · amplitúdó %2 mintaegység · NAD %3 mintaegység · SINAD %4 · ENOB %5</translation>
    </message>
    <message>
        <location filename="../src/ui/spectrum_window.cpp" line="+138"/>
        <source>%1 counts</source>
        <translation>%1 mintaegység</translation>
    </message>
    <message>
        <location line="+26"/>
        <location line="+14"/>
        <source>Save spectrum</source>
        <translation>Spektrum mentése</translation>
    </message>
    <message>
        <location filename="../src/ui/file_dialog.cpp" line="+54"/>
        <source>PNG images (*.png)</source>
        <translation>PNG-képek (*.png)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 could not be saved.</source>
        <translation>%1 mentése nem sikerült.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>CSV files (*.csv)</source>
        <translation>CSV-fájlok (*.csv)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>%1 could not be saved: %2</source>
        <translation>%1 mentése nem sikerült: %2</translation>
    </message>
</context>
<context>
    <name>kalvira::ui::TrendPlot</name>
    <message>
        <location filename="../src/ui/trend_plot.cpp" line="+75"/>
        <source>No record with this figure yet</source>
        <translation>Még nincs felvétel ezzel a mérőszámmal</translation>
    </message>
</context>
<context>
    <name>kalvira::ui::TrendWindow</name>
    <message>
        <location filename="../src/ui/trend_window.cpp" line="+38"/>
        <source>KALVIRA trend</source>
        <translation>KALVIRA trend</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Figure</source>
        <translation>Mérőszám</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Save trend as PNG…</source>
        <translation>Trend mentése PNG-ként…</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Save trend as CSV…</source>
        <translation>Trend mentése CSV-ként…</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Records %1, none with this figure</source>
        <translation>%1 felvétel, egyikben sincs ez a mérőszám</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Records %1 · with the figure %2 · min %3 · max %4 · mean %5</source>
        <translation>%1 felvétel · ezzel a mérőszámmal %2 · min %3 · max %4 · átlag %5</translation>
    </message>
    <message>
        <location line="+23"/>
        <location line="+6"/>
        <source>Save trend</source>
        <translation>Trend mentése</translation>
    </message>
</context>
<context>
    <name>kalvira::ui::VerdictText</name>
    <message>
        <location filename="../src/ui/verdict_text.cpp" line="+12"/>
        <source>mask: not tested, no reference</source>
        <translation>maszk: nincs vizsgálva, nincs referencia</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>mask: not tested, the reference is of another rate</source>
        <translation>maszk: nincs vizsgálva, a referencia más mintavételi sebességű</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>mask: not tested, its level is in volts and the record in counts</source>
        <translation>maszk: nincs vizsgálva, a szintje voltban, a felvétel mintaegységben van</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>mask: inside</source>
        <translation>maszk: belül</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>mask: outside at %1 of %2 samples</source>
        <translation>maszk: %2 mintából %1 kívül esik</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>FAIL</source>
        <translation>HIBA</translation>
    </message>
</context>
</TS>
